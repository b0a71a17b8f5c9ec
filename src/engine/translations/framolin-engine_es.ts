<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>engine</name>
    <message>
        <source>write error</source>
        <translation>error de escritura</translation>
    </message>
    <message>
        <source>the file is not open</source>
        <translation>el archivo no está abierto</translation>
    </message>
    <message>
        <source>file not found</source>
        <translation>no se encontró el archivo</translation>
    </message>
    <message>
        <source>the file could not be read</source>
        <translation>no se pudo leer el archivo</translation>
    </message>
    <message>
        <source>damaged or incomplete picture data</source>
        <translation>datos de imagen dañados o incompletos</translation>
    </message>
    <message>
        <source>the file could not be opened</source>
        <translation>no se pudo abrir el archivo</translation>
    </message>
    <message>
        <source>not a regular file (a folder, a device or a pipe)</source>
        <translation>no es un archivo normal (una carpeta, un dispositivo o una tubería)</translation>
    </message>
    <message>
        <source>invalid picture size</source>
        <translation>tamaño de imagen no válido</translation>
    </message>
    <message>
        <source>the %1 × %2 pixel picture is over the limit of %3 megapixels</source>
        <translation>la imagen de %1 × %2 píxeles pasa del límite de %3 megapíxeles</translation>
    </message>
    <message>
        <source>the %1 × %2 pixel picture does not fit in %3 MB decoded whole</source>
        <translation>la imagen de %1 × %2 píxeles no cabe en %3 MB al decodificarla entera</translation>
    </message>
    <message>
        <source>out of memory for a frame of %1 × %2 pixels</source>
        <translation>no hay memoria para un cuadro de %1 × %2 píxeles</translation>
    </message>
    <message>
        <source>damaged or incomplete picture data (%1)</source>
        <translation>datos de imagen dañados o incompletos (%1)</translation>
    </message>
    <message>
        <source>not a BMP, JPG, GIF, PNG, WebP or TIFF picture</source>
        <translation>no es una imagen BMP, JPG, GIF, PNG, WebP o TIFF</translation>
    </message>
    <message>
        <source>out of memory for %1 × %2 pixels</source>
        <translation>no hay memoria para %1 × %2 píxeles</translation>
    </message>
    <message>
        <source>the %1 × %2 pixel picture needs more than %3 MB to be decoded</source>
        <translation>la imagen de %1 × %2 píxeles necesita más de %3 MB para decodificarse</translation>
    </message>
    <message>
        <source>the %1 × %2 pixel picture does not fit in %3 MB decoded for a frame of %4 × %5</source>
        <translation>la imagen de %1 × %2 píxeles no cabe en %3 MB al decodificarla para un cuadro de %4 × %5</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8; it is not taken for another</source>
        <translation>el nombre no es UTF-8 válido; no se toma por otro</translation>
    </message>
    <message>
        <source>the JPEG rows come out of order</source>
        <translation>las filas del JPEG llegan fuera de orden</translation>
    </message>
    <message>
        <source>JPEG compressor error (%1)</source>
        <translation>error del compresor JPEG (%1)</translation>
    </message>
    <message>
        <source>no output file was given</source>
        <translation>no se indicó ningún archivo de salida</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es una carpeta</translation>
    </message>
    <message>
        <source>not a regular file (a device, a pipe or a socket)</source>
        <translation>no es un archivo normal (un dispositivo, una tubería o un socket)</translation>
    </message>
    <message>
        <source>the folder &quot;%1&quot; does not exist</source>
        <translation>la carpeta &quot;%1&quot; no existe</translation>
    </message>
    <message>
        <source>%1: the folder cannot be read</source>
        <translation>%1: no se puede leer la carpeta</translation>
    </message>
    <message>
        <source>the PNG rows come out of order</source>
        <translation>las filas del PNG llegan fuera de orden</translation>
    </message>
    <message>
        <source>out of memory for the PNG compressor</source>
        <translation>no hay memoria para el compresor PNG</translation>
    </message>
    <message>
        <source>it is one of the input pictures%1; a source is never overwritten</source>
        <translation>es una de las imágenes de entrada%1; no se sobrescribe una fuente</translation>
    </message>
    <message>
        <source>JPEG (.jpg) or PNG (.png)</source>
        <translation>JPEG (.jpg) o PNG (.png)</translation>
    </message>
    <message>
        <source>a strip of %1 × %2 pixels does not fit in %3, which takes up to %4 pixels a side; save it as %5</source>
        <translation>una tira de %1 × %2 píxeles no cabe en %3, que admite hasta %4 píxeles por lado; guárdela como %5</translation>
    </message>
    <message>
        <source>this format cannot be written as a stream</source>
        <translation>este formato no se escribe como flujo</translation>
    </message>
    <message>
        <source>out of memory for a strip of %1 × %2 pixels</source>
        <translation>no hay memoria para una tira de %1 × %2 píxeles</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>the folder &quot;%1&quot; could not be created</source>
        <translation>no se pudo crear la carpeta &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Entry %1 of the list names no file: %2 is missing or empty in the saved data.</source>
        <translation>La entrada %1 de la lista no nombra ningún archivo: %2 falta o está vacía en los datos guardados.</translation>
    </message>
    <message>
        <source>a PNG cannot be %1 × %2 pixels</source>
        <translation>un PNG no puede tener %1 × %2 píxeles</translation>
    </message>
    <message>
        <source>a PNG cannot have rows of %1 pixels</source>
        <translation>un PNG no puede tener filas de %1 píxeles</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>no hay memoria</translation>
    </message>
    <message>
        <source>it is larger than %1 MiB, the limit of a settings file</source>
        <translation>mide más de %1 MiB, el límite de un archivo de configuración</translation>
    </message>
    <message>
        <source>unexpected error</source>
        <translation>error inesperado</translation>
    </message>
    <message>
        <source>the PNG picture has more than %1 chunks</source>
        <translation>la imagen PNG tiene más de %1 bloques</translation>
    </message>
    <message>
        <source>the PNG picture&apos;s metadata passes %1 MB</source>
        <translation>los metadatos de la imagen PNG pasan de %1 MB</translation>
    </message>
    <message>
        <source>the WebP encoder ran out of memory</source>
        <translation>el codificador WebP se quedó sin memoria</translation>
    </message>
    <message>
        <source>the WebP encoder does not take the strip&apos;s size</source>
        <translation>el codificador WebP no admite el tamaño de la tira</translation>
    </message>
    <message>
        <source>the WebP encoder&apos;s first partition passes 512 KB: use fewer columns, a smaller frame, or save it as JPEG (.jpg) or PNG (.png)</source>
        <translation>la primera partición del codificador WebP pasa de 512 KB: use menos columnas, un cuadro más pequeño o guárdela como JPEG (.jpg) o PNG (.png)</translation>
    </message>
    <message>
        <source>a partition of the WebP encoder passes 16 MB: use a smaller frame, or save it as JPEG (.jpg) or PNG (.png)</source>
        <translation>una partición del codificador WebP pasa de 16 MB: use un cuadro más pequeño o guárdela como JPEG (.jpg) o PNG (.png)</translation>
    </message>
    <message>
        <source>the WebP file could not be written</source>
        <translation>no se pudo escribir el archivo WebP</translation>
    </message>
    <message>
        <source>the WebP file would pass 4 GB</source>
        <translation>el archivo WebP pasaría de 4 GB</translation>
    </message>
    <message>
        <source>the WebP encoder failed (error %1)</source>
        <translation>el codificador WebP falló (error %1)</translation>
    </message>
    <message>
        <source>the crop box %1,%2,%3,%4 is not inside the %5 × %6 picture</source>
        <translation>el recorte %1,%2,%3,%4 no está dentro de la imagen de %5 × %6</translation>
    </message>
    <message>
        <source>%1 × %2 pixels, the first picture %3 × %4: an automatic crop needs pictures of one size</source>
        <translation>%1 × %2 píxeles, la primera imagen %3 × %4: el recorte automático necesita imágenes de un solo tamaño</translation>
    </message>
    <message>
        <source>the folder could not be made</source>
        <translation>no se pudo crear la carpeta</translation>
    </message>
    <message>
        <source>the folder it goes in does not exist</source>
        <translation>la carpeta donde va no existe</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>no es una carpeta</translation>
    </message>
    <message>
        <source>no memory for the GIF&apos;s palette</source>
        <translation>no hay memoria para la paleta del GIF</translation>
    </message>
    <message>
        <source>the GIF&apos;s palette could not be made</source>
        <translation>no se pudo hacer la paleta del GIF</translation>
    </message>
    <message>
        <source>the GIF could not be written</source>
        <translation>no se pudo escribir el GIF</translation>
    </message>
    <message>
        <source>the video encoder failed: %1</source>
        <translation>falló el codificador de vídeo: %1</translation>
    </message>
    <message>
        <source>this system&apos;s FFmpeg has no %1 encoder</source>
        <translation>el FFmpeg de este sistema no tiene codificador %1</translation>
    </message>
    <message>
        <source>no memory for the video encoder</source>
        <translation>no hay memoria para el codificador de vídeo</translation>
    </message>
    <message>
        <source>no memory for the WebP encoder</source>
        <translation>no hay memoria para el codificador WebP</translation>
    </message>
    <message>
        <source>no memory for a frame</source>
        <translation>no hay memoria para un cuadro</translation>
    </message>
    <message>
        <source>a loop holds 1 to %1 frames, not %2</source>
        <translation>un bucle tiene de 1 a %1 cuadros, no %2</translation>
    </message>
    <message>
        <source>a video frame needs at least 2 pixels a side</source>
        <translation>un cuadro de vídeo necesita al menos 2 píxeles de lado</translation>
    </message>
    <message>
        <source>a loop&apos;s frame is at most %1 pixels a side and %2 × %3 pixels in all, not %4 × %5</source>
        <translation>el cuadro de un bucle tiene como mucho %1 píxeles de lado y %2 × %3 píxeles en total, no %4 × %5</translation>
    </message>
    <message>
        <source>a GIF of %1 frames of %2 × %3 needs more than %4 MiB to make its palette; use fewer frames, smaller frames or a video loop</source>
        <translation>un GIF de %1 cuadros de %2 × %3 necesita más de %4 MiB para hacer su paleta; use menos cuadros, cuadros más pequeños o un bucle de vídeo</translation>
    </message>
    <message>
        <source>the moment %1 s is past the video&apos;s end at %2 s</source>
        <translation>el momento %1 s queda después del final del vídeo, en %2 s</translation>
    </message>
    <message>
        <source>not a video that can be read, or a damaged one</source>
        <translation>no es un vídeo que se pueda leer, o está dañado</translation>
    </message>
    <message>
        <source>damaged video: its streams could not be read</source>
        <translation>vídeo dañado: no se pudieron leer sus pistas</translation>
    </message>
    <message>
        <source>the video&apos;s coding cannot be decoded</source>
        <translation>la codificación del vídeo no se puede decodificar</translation>
    </message>
    <message>
        <source>the file holds no video stream</source>
        <translation>el archivo no contiene ninguna pista de vídeo</translation>
    </message>
    <message>
        <source>invalid video size</source>
        <translation>tamaño de vídeo no válido</translation>
    </message>
    <message>
        <source>the %1 × %2 pixel video is over the limit of %3 megapixels</source>
        <translation>el vídeo de %1 × %2 píxeles supera el límite de %3 megapíxeles</translation>
    </message>
    <message>
        <source>damaged video: its duration is unknown</source>
        <translation>vídeo dañado: se desconoce su duración</translation>
    </message>
    <message>
        <source>the video of %1 s is over the limit of %2 hours</source>
        <translation>el vídeo de %1 s supera el límite de %2 horas</translation>
    </message>
    <message>
        <source>the video of %1 frames is over the limit of %2</source>
        <translation>el vídeo de %1 cuadros supera el límite de %2</translation>
    </message>
    <message>
        <source>damaged video: the moment %1 s could not be reached</source>
        <translation>vídeo dañado: no se pudo llegar al momento %1 s</translation>
    </message>
    <message>
        <source>the video has no frame at %1 s: it ends sooner, or is damaged</source>
        <translation>el vídeo no tiene cuadro en %1 s: termina antes o está dañado</translation>
    </message>
    <message>
        <source>damaged video data</source>
        <translation>datos de vídeo dañados</translation>
    </message>
</context>
</TS>
