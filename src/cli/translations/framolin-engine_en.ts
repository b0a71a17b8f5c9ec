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
        <source>datos de imagen dañados o incompletos (%1)</source>
        <translation>damaged or incomplete picture data (%1)</translation>
    </message>
    <message>
        <source>no es una imagen BMP, JPG, GIF, PNG, WebP o TIFF</source>
        <translation>not a BMP, JPG, GIF, PNG, WebP or TIFF picture</translation>
    </message>
    <message>
        <source>no hay memoria para %1 × %2 píxeles</source>
        <translation>out of memory for %1 × %2 pixels</translation>
    </message>
    <message>
        <source>la imagen de %1 × %2 píxeles necesita más de %3 MB para decodificarse</source>
        <translation>the %1 × %2 pixel picture needs more than %3 MB to be decoded</translation>
    </message>
    <message>
        <source>la imagen de %1 × %2 píxeles no cabe en %3 MB al decodificarla para un cuadro de %4 × %5</source>
        <translation>the %1 × %2 pixel picture does not fit in %3 MB decoded for a frame of %4 × %5</translation>
    </message>
    <message>
        <source>el nombre no es UTF-8 válido; no se toma por otro</source>
        <translation>the name is not valid UTF-8; it is not taken for another</translation>
    </message>
    <message>
        <source>las filas del JPEG llegan fuera de orden</source>
        <translation>the JPEG rows come out of order</translation>
    </message>
    <message>
        <source>error del compresor JPEG (%1)</source>
        <translation>JPEG compressor error (%1)</translation>
    </message>
    <message>
        <source>no se indicó ningún archivo de salida</source>
        <translation>no output file was given</translation>
    </message>
    <message>
        <source>es una carpeta</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>no es un archivo normal (un dispositivo, una tubería o un socket)</source>
        <translation>not a regular file (a device, a pipe or a socket)</translation>
    </message>
    <message>
        <source>la carpeta &quot;%1&quot; no existe</source>
        <translation>the folder &quot;%1&quot; does not exist</translation>
    </message>
    <message>
        <source>%1: no se puede leer la carpeta</source>
        <translation>%1: the folder cannot be read</translation>
    </message>
    <message>
        <source>las filas del PNG llegan fuera de orden</source>
        <translation>the PNG rows come out of order</translation>
    </message>
    <message>
        <source>no hay memoria para el compresor PNG</source>
        <translation>out of memory for the PNG compressor</translation>
    </message>
    <message>
        <source>es una de las imágenes de entrada%1; no se sobrescribe una fuente</source>
        <translation>it is one of the input pictures%1; a source is never overwritten</translation>
    </message>
    <message>
        <source>JPEG (.jpg) o PNG (.png)</source>
        <translation>JPEG (.jpg) or PNG (.png)</translation>
    </message>
    <message>
        <source>una tira de %1 × %2 píxeles no cabe en %3, que admite hasta %4 píxeles por lado; guárdela como %5</source>
        <translation>a strip of %1 × %2 pixels does not fit in %3, which takes up to %4 pixels a side; save it as %5</translation>
    </message>
    <message>
        <source>este formato no se escribe como flujo</source>
        <translation>this format cannot be written as a stream</translation>
    </message>
    <message>
        <source>falta el complemento WebP de Qt (qt6-image-formats-plugins)</source>
        <translation>Qt&apos;s WebP plugin is missing (qt6-image-formats-plugins)</translation>
    </message>
    <message>
        <source>no hay memoria para una tira de %1 × %2 píxeles</source>
        <translation>out of memory for a strip of %1 × %2 pixels</translation>
    </message>
    <message>
        <source>no es un archivo normal</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>no se pudo crear la carpeta &quot;%1&quot;</source>
        <translation>the folder &quot;%1&quot; could not be created</translation>
    </message>
    <message>
        <source>La entrada %1 de la lista no nombra ningún archivo: %2 falta o está vacía en los datos guardados.</source>
        <translation>Entry %1 of the list names no file: %2 is missing or empty in the saved data.</translation>
    </message>
    <message>
        <source>un PNG no puede tener %1 × %2 píxeles</source>
        <translation>a PNG cannot be %1 × %2 pixels</translation>
    </message>
    <message>
        <source>un PNG no puede tener filas de %1 píxeles</source>
        <translation>a PNG cannot have rows of %1 pixels</translation>
    </message>
    <message>
        <source>no hay memoria</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>mide más de %1 MiB, el límite de un archivo de configuración</source>
        <translation>it is larger than %1 MiB, the limit of a settings file</translation>
    </message>
    <message>
        <source>error inesperado</source>
        <translation>unexpected error</translation>
    </message>
    <message>
        <source>la imagen PNG tiene más de %1 bloques</source>
        <translation>the PNG picture has more than %1 chunks</translation>
    </message>
    <message>
        <source>los metadatos de la imagen PNG pasan de %1 MB</source>
        <translation>the PNG picture&apos;s metadata passes %1 MB</translation>
    </message>
    <message>
        <source>el complemento WebP de Qt dice: %1</source>
        <translation>Qt&apos;s WebP plug-in says: %1</translation>
    </message>
    <message>
        <source>el codificador WebP se quedó sin memoria</source>
        <translation>the WebP encoder ran out of memory</translation>
    </message>
    <message>
        <source>el codificador WebP no admite el tamaño de la tira</source>
        <translation>the WebP encoder does not take the strip&apos;s size</translation>
    </message>
    <message>
        <source>la primera partición del codificador WebP pasa de 512 KB: use menos columnas, un cuadro más pequeño o guárdela como JPEG (.jpg) o PNG (.png)</source>
        <translation>the WebP encoder&apos;s first partition passes 512 KB: use fewer columns, a smaller frame, or save it as JPEG (.jpg) or PNG (.png)</translation>
    </message>
    <message>
        <source>una partición del codificador WebP pasa de 16 MB: use un cuadro más pequeño o guárdela como JPEG (.jpg) o PNG (.png)</source>
        <translation>a partition of the WebP encoder passes 16 MB: use a smaller frame, or save it as JPEG (.jpg) or PNG (.png)</translation>
    </message>
    <message>
        <source>no se pudo escribir el archivo WebP</source>
        <translation>the WebP file could not be written</translation>
    </message>
    <message>
        <source>el archivo WebP pasaría de 4 GB</source>
        <translation>the WebP file would pass 4 GB</translation>
    </message>
    <message>
        <source>el codificador WebP falló (error %1)</source>
        <translation>the WebP encoder failed (error %1)</translation>
    </message>
</context>
</TS>
