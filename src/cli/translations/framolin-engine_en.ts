<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="es">
<context>
    <name>engine</name>
    <message>
        <source>error de escritura</source>
        <translation>write error</translation>
    </message>
    <message>
        <source>el archivo no está abierto</source>
        <translation>the file is not open</translation>
    </message>
    <message>
        <source>no se encontró el archivo</source>
        <translation>file not found</translation>
    </message>
    <message>
        <source>no se pudo leer el archivo</source>
        <translation>the file could not be read</translation>
    </message>
    <message>
        <source>datos de imagen dañados o incompletos</source>
        <translation>damaged or incomplete picture data</translation>
    </message>
    <message>
        <source>no se pudo abrir el archivo</source>
        <translation>the file could not be opened</translation>
    </message>
    <message>
        <source>no es un archivo normal (una carpeta, un dispositivo o una tubería)</source>
        <translation>not a regular file (a folder, a device or a pipe)</translation>
    </message>
    <message>
        <source>tamaño de imagen no válido</source>
        <translation>invalid picture size</translation>
    </message>
    <message>
        <source>la imagen de %1 × %2 píxeles pasa del límite de %3 megapíxeles</source>
        <translation>the %1 × %2 pixel picture is over the limit of %3 megapixels</translation>
    </message>
    <message>
        <source>la imagen de %1 × %2 píxeles no cabe en %3 MB al decodificarla entera</source>
        <translation>the %1 × %2 pixel picture does not fit in %3 MB decoded whole</translation>
    </message>
    <message>
        <source>no hay memoria para un cuadro de %1 × %2 píxeles</source>
        <translation>out of memory for a frame of %1 × %2 pixels</translation>
    </message>
    <message>
        <source>archivo vacío</source>
        <translation>empty file</translation>
    </message>
    <message>
        <source>datos de imagen dañados o incompletos (%1)</source>
        <translation>damaged or incomplete picture data (%1)</translation>
    </message>
    <message>
        <source>no es una imagen BMP, JPG, GIF, PNG, WebP o TIFF</source>
        <translation>not a BMP, JPG, GIF, PNG, WebP or TIFF picture</translation>
    </message>
</context>
</TS>
