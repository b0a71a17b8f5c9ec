<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>Text</name>
    <message>
        <source>not a readable file</source>
        <translation>no es un archivo legible</translation>
    </message>
    <message>
        <source>file not found</source>
        <translation>no se encontró el archivo</translation>
    </message>
    <message>
        <source>%1: does not exist</source>
        <translation>%1: no existe</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>es una carpeta</translation>
    </message>
    <message>
        <source>the option --%1 was given more than once</source>
        <translation>la opción --%1 se dio más de una vez</translation>
    </message>
    <message>
        <source>--size gives both sides: give it without -W/--width and -H/--height</source>
        <translation>--size da los dos lados: dela sin -W/--width ni -H/--height</translation>
    </message>
    <message>
        <source>%1: no saved data</source>
        <translation>%1: no hay datos guardados</translation>
    </message>
    <message>
        <source>invalid %1: &quot;%2&quot; (1 to %3 pixels)</source>
        <translation>%1 no válido: &quot;%2&quot; (se admiten de 1 a %3 píxeles)</translation>
    </message>
    <message>
        <source>width</source>
        <translation>ancho</translation>
    </message>
    <message>
        <source>height</source>
        <translation>alto</translation>
    </message>
    <message>
        <source>invalid size: &quot;%1&quot; (WIDTHxHEIGHT, for example 320x200; each side 1 to %2 pixels)</source>
        <translation>tamaño no válido: &quot;%1&quot; (ANCHOxALTO, por ejemplo 320x200; cada lado de 1 a %2 píxeles)</translation>
    </message>
    <message>
        <source>the output file is missing (-o OUTPUT.bmp)</source>
        <translation>falta el archivo de salida (-o SALIDA.bmp)</translation>
    </message>
    <message>
        <source>no input pictures</source>
        <translation>no hay imágenes de entrada</translation>
    </message>
    <message>
        <source>a strip of %1 × %2 pixels is over the limit of %3 MiB</source>
        <translation>una tira de %1 × %2 píxeles pasa del límite de %3 MiB</translation>
    </message>
    <message>
        <source>standard output</source>
        <translation>la salida estándar</translation>
    </message>
    <message>
        <source>; 1 file of the folders left out</source>
        <translation>; 1 archivo de las carpetas omitido</translation>
    </message>
    <message>
        <source>; %1 files of the folders left out</source>
        <translation>; %1 archivos de las carpetas omitidos</translation>
    </message>
    <message>
        <source>%1 (--help for help)</source>
        <translation>%1 (--help para la ayuda)</translation>
    </message>
    <message>
        <source>standard output is a terminal: redirect it to a file</source>
        <translation>la salida estándar es una terminal: rediríjala a un archivo</translation>
    </message>
    <message>
        <source>standard output: %1</source>
        <translation>la salida estándar: %1</translation>
    </message>
    <message>
        <source>left out: %1 (%2)</source>
        <translation>omitido: %1 (%2)</translation>
    </message>
    <message>
        <source>a hidden file</source>
        <translation>es un archivo oculto</translation>
    </message>
    <message>
        <source>not named as a picture</source>
        <translation>su nombre no es de una imagen</translation>
    </message>
    <message>
        <source>%1: the folder has no BMP, JPG, GIF, PNG, WebP or TIFF pictures</source>
        <translation>%1: la carpeta no tiene imágenes BMP, JPG, GIF, PNG, WebP o TIFF</translation>
    </message>
    <message>
        <source>--html: the page and the strip cannot be the same file (%1)</source>
        <translation>--html: la página y la tira no pueden ser el mismo archivo (%1)</translation>
    </message>
    <message>
        <source>--html needs the strip in a file, not on standard output</source>
        <translation>--html necesita la tira en un archivo, no en la salida estándar</translation>
    </message>
    <message>
        <source>no memory for %1 rows of %2 pixels</source>
        <translation>no hay memoria para %1 filas de %2 píxeles</translation>
    </message>
    <message>
        <source>%1: no memory for a row of %2 frames</source>
        <translation>%1: no hay memoria para una fila de %2 cuadros</translation>
    </message>
    <message>
        <source>not a plain file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a number from 1 to %3</source>
        <translation>%1: &quot;%2&quot; no es un número de 1 a %3</translation>
    </message>
    <message>
        <source>--format: &quot;%1&quot; is not bmp, png, jpeg or webp</source>
        <translation>--format: &quot;%1&quot; no es bmp, png, jpeg ni webp</translation>
    </message>
    <message>
        <source>--html: browsers open no BMP of more than %1 pixels a side (this strip: %2 × %3); leave out --target none to have it split into sheets that browsers open</source>
        <translation>--html: los navegadores no abren un BMP de más de %1 píxeles de lado (esta tira: %2 × %3); quite --target none para repartirla en hojas que los navegadores abren</translation>
    </message>
    <message>
        <source>--quality is only for JPEG and WebP, not for %1</source>
        <translation>--quality solo vale para JPEG y WebP, no para %1</translation>
    </message>
    <message>
        <source>warning: web browsers open no BMP of more than %1 pixels a side, and this strip is %2 × %3; save it as .png or use --columns</source>
        <translation>aviso: los navegadores web no abren un BMP de más de %1 píxeles por lado, y esta tira mide %2 × %3; guárdela como .png o use --columns</translation>
    </message>
    <message>
        <source>in one column</source>
        <translation>en una columna</translation>
    </message>
    <message>
        <source>in %1 columns</source>
        <translation>en %1 columnas</translation>
    </message>
    <message>
        <source>%1 frame of %2 × %3 %4 → %5 (%6, %7, %8)</source>
        <translation>%1 cuadro de %2 × %3 %4 → %5 (%6, %7, %8)</translation>
    </message>
    <message>
        <source>%1 frames of %2 × %3 %4 → %5 (%6, %7, %8)</source>
        <translation>%1 cuadros de %2 × %3 %4 → %5 (%6, %7, %8)</translation>
    </message>
    <message>
        <source>%1: the saved data could not be read (%2)</source>
        <translation>%1: no se pudieron leer los datos guardados (%2)</translation>
    </message>
    <message>
        <source>no memory for the frame</source>
        <translation>no hay memoria para el cuadro</translation>
    </message>
    <message>
        <source>the frame could not be made</source>
        <translation>no se pudo hacer el cuadro</translation>
    </message>
    <message>
        <source>WxH</source>
        <translation>AxA</translation>
    </message>
    <message>
        <source>WIDTH</source>
        <translation>ANCHO</translation>
    </message>
    <message>
        <source>HEIGHT</source>
        <translation>ALTO</translation>
    </message>
    <message>
        <source>PATH</source>
        <translation>RUTA</translation>
    </message>
    <message>
        <source>the file to write, replaced only when all went well and never when it is one of the input pictures; - writes the strip to standard output (BMP unless --format is given)</source>
        <translation>archivo de salida; se reemplaza solo si todo va bien, y nunca si es una de las imágenes de entrada; - escribe la tira en la salida estándar (BMP salvo que se dé --format)</translation>
    </message>
    <message>
        <source>FORMAT</source>
        <translation>FORMATO</translation>
    </message>
    <message>
        <source>bmp, png, jpeg or webp, instead of what the extension asks</source>
        <translation>bmp, png, jpeg o webp, en lugar del que pide la extensión</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>N frames to a row, left to right and top to bottom (1: one column); empty cells in the back colour</source>
        <translation>N cuadros por fila, de izquierda a derecha y de arriba abajo (1: una sola columna); las celdas vacías, en el color de fondo</translation>
    </message>
    <message>
        <source>pictures decoded at a time (every core)</source>
        <translation>imágenes decodificadas a la vez (todos los núcleos)</translation>
    </message>
    <message>
        <source>no progress bar and no summary</source>
        <translation>sin barra de progreso ni resumen</translation>
    </message>
    <message>
        <source>name each file of a folder that was left out, and why</source>
        <translation>nombra cada archivo de una carpeta que quedó fuera, y por qué</translation>
    </message>
    <message>
        <source>PAGE</source>
        <translation>PÁGINA</translation>
    </message>
    <message>
        <source>also write a web page that shows the strip turning</source>
        <translation>escribe además una página web que muestra la tira girando</translation>
    </message>
    <message>
        <source>the list, the output and the size stored with &quot;Guardar datos&quot;; options and pictures given beside it win</source>
        <translation>la lista, la salida y el tamaño guardados con &quot;Guardar datos&quot;; las opciones y las imágenes dadas junto a ella mandan</translation>
    </message>
    <message>
        <source>this help</source>
        <translation>esta ayuda</translation>
    </message>
    <message>
        <source>added while the folder was read</source>
        <translation>se añadió mientras se leía la carpeta</translation>
    </message>
    <message>
        <source>
On success one line on standard error sums up the strip. Exits with 0 when the
strip was written; otherwise with 1 and one line naming the file and the reason,
without creating or touching the output (2 for a bad command line).
</source>
        <translation>
ocultos.

  -s, --size AxA        tamaño del cuadro en píxeles, por ejemplo 320x200 (320x200)
  -W, --width ANCHO     ancho del cuadro en píxeles (320)
  -H, --height ALTO     alto del cuadro en píxeles (200)
  -o, --output RUTA     archivo de salida; se reemplaza solo si todo va bien, y
                        nunca si es una de las imágenes de entrada; - escribe la
                        tira en la salida estándar (BMP salvo que se dé --format)
  -f, --format F        bmp, png, jpeg o webp, en lugar del que pide la extensión
  --quality N           calidad de JPEG y WebP, de 1 a 100 (90)
  --columns N           N cuadros por fila, de izquierda a derecha y de arriba
                        abajo (1: una sola columna); las celdas vacías, en el
                        color de fondo
  -j, --jobs N          imágenes decodificadas a la vez (todos los núcleos)
  -q, --quiet           sin barra de progreso ni resumen
  -v, --verbose         nombra cada archivo de una carpeta que quedó fuera, y por qué
  --html PÁGINA         escribe además una página web que muestra la tira girando
  --from-settings       la lista, la salida y el tamaño guardados con &quot;Guardar datos&quot;;
                        las opciones y las imágenes dadas junto a ella mandan
  -h, --help            esta ayuda
  --version             la versión

Si todo va bien, una línea en la salida de errores resume la tira. Sale con 0 si
escribió la tira; si no, con 1 y una línea que nombra el archivo y el motivo, sin
crear ni tocar la salida (2 para opciones no válidas).
</translation>
    </message>
    <message>
        <source>; write the strip outside the folder or under another name</source>
        <translation>; escriba la tira fuera de la carpeta o con otro nombre</translation>
    </message>
    <message>
        <source>the version</source>
        <translation>la versión</translation>
    </message>
    <message>
        <source>Usage: framolin-strip [-s WIDTHxHEIGHT | -W WIDTH -H HEIGHT] -o OUTPUT [options]
                      PICTURE|FOLDER ...
       framolin-strip --from-settings [options]

Stacks the pictures (BMP, JPG, GIF, PNG, WebP, TIFF), each stretched to WIDTH x
HEIGHT pixels and turned upright by its EXIF orientation, and writes the strip in
the format the output&apos;s extension asks for: .png, .jpg/.jpeg, .webp; any other, a
24-bit BMP (the same file the Framolin window saves). A folder gives its pictures
in natural order (2 before 10), leaving hidden files out.

</source>
        <translation>Uso: framolin-strip [-s ANCHOxALTO | -W ANCHO -H ALTO] -o SALIDA [opciones]
                    IMAGEN|CARPETA ...
     framolin-strip --from-settings [opciones]

Apila las imágenes (BMP, JPG, GIF, PNG, WebP, TIFF), cada una estirada a ANCHO x
ALTO píxeles y puesta derecha según su orientación EXIF, y escribe la tira en el
formato que pide la extensión de la salida: .png, .jpg/.jpeg, .webp; cualquier
otra, BMP de 24 bits (el mismo archivo que guarda la ventana de Framolin). Una
carpeta aporta sus imágenes en orden natural (2 antes de 10), sin los archivos
ocultos.

</translation>
    </message>
    <message>
        <source>frame size in pixels, for example 320x200 (320x200); a side of 0 follows the first picture&apos;s aspect</source>
        <translation>tamaño del cuadro en píxeles, por ejemplo 320x200 (320x200); un lado 0 sigue la proporción de la primera imagen</translation>
    </message>
    <message>
        <source>frame width in pixels (320; 0: from the aspect)</source>
        <translation>ancho del cuadro en píxeles (320; 0: según la proporción)</translation>
    </message>
    <message>
        <source>frame height in pixels (200; 0: from the aspect)</source>
        <translation>alto del cuadro en píxeles (200; 0: según la proporción)</translation>
    </message>
    <message>
        <source>HOW</source>
        <translation>MODO</translation>
    </message>
    <message>
        <source>stretch (the default), cover (fill the frame, cropping the excess centred) or contain (the whole picture, margins in --background)</source>
        <translation>stretch (estirar, por omisión), cover (llenar el cuadro recortando lo que sobra, centrado) o contain (la imagen entera, márgenes en --background)</translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation>COLOR</translation>
    </message>
    <message>
        <source>the margins&apos; colour with --fit contain: a name or #rrggbb (#f0f0f0)</source>
        <translation>el color de los márgenes con --fit contain: un nombre o #rrggbb (#f0f0f0)</translation>
    </message>
    <message>
        <source>the frames in the opposite order</source>
        <translation>los cuadros en el orden contrario</translation>
    </message>
    <message>
        <source>L</source>
        <translation>L</translation>
    </message>
    <message>
        <source>the inputs are L turns of equal length (vertical angles), one after the other</source>
        <translation>las imágenes son L vueltas de igual longitud (ángulos verticales), una tras otra</translation>
    </message>
    <message>
        <source>--fit: &quot;%1&quot; is not stretch, cover or contain</source>
        <translation>--fit: &quot;%1&quot; no es stretch, cover ni contain</translation>
    </message>
    <message>
        <source>--background: &quot;%1&quot; is not a colour name or #rrggbb</source>
        <translation>--background: &quot;%1&quot; no es un nombre de color ni #rrggbb</translation>
    </message>
    <message>
        <source>--lanes: %1 pictures do not make %2 lanes of equal length</source>
        <translation>--lanes: %1 imágenes no forman %2 carriles de igual longitud</translation>
    </message>
    <message>
        <source>--frames: %1 is more than the %2 pictures</source>
        <translation>--frames: %1 son más que las %2 imágenes</translation>
    </message>
    <message>
        <source>--frames: %1 is more than the %2 pictures of each lane</source>
        <translation>--frames: %1 son más que las %2 imágenes de cada carril</translation>
    </message>
    <message>
        <source>%1 is %2 × %3: the frame would have a side of %4, over %5 pixels</source>
        <translation>%1 mide %2 × %3: el cuadro tendría un lado de %4, más de %5 píxeles</translation>
    </message>
    <message>
        <source>a frame side of 0 takes it from the other side: give that one</source>
        <translation>un lado 0 del cuadro se toma del otro lado: indique ese</translation>
    </message>
    <message>
        <source>--background is only for --fit contain</source>
        <translation>--background solo vale para --fit contain</translation>
    </message>
    <message>
        <source>WHERE</source>
        <translation>DESTINO</translation>
    </message>
    <message>
        <source>mobile (4096 pixels a side, 16.7 megapixels), desktop (the browsers&apos; limits of each format, 100 megapixels) or none (the format&apos;s own limits): the frames are spread over as few sheets as fit, NAME-0, NAME-1, ... (mobile with --html or --manifest, otherwise none)</source>
        <translation>mobile (4096 píxeles por lado, 16,7 megapíxeles), desktop (los límites de los navegadores para cada formato, 100 megapíxeles) o none (los límites del propio formato): los cuadros se reparten en tan pocas hojas como quepan, NOMBRE-0, NOMBRE-1, ... (mobile con --html o --manifest; si no, none)</translation>
    </message>
    <message>
        <source>N frames on each sheet instead of the most that fit</source>
        <translation>N cuadros en cada hoja en lugar de los más que quepan</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>ARCHIVO</translation>
    </message>
    <message>
        <source>also write a JSON description of the sheets for web viewers (with --html: NAME.json beside the strip)</source>
        <translation>escribir también una descripción JSON de las hojas para visores web (con --html: NOMBRE.json junto a la tira)</translation>
    </message>
    <message>
        <source>--target: &quot;%1&quot; is not mobile, desktop or none</source>
        <translation>--target: &quot;%1&quot; no es mobile, desktop ni none</translation>
    </message>
    <message>
        <source>--target %1: a frame of %2 × %3 is larger than a sheet may be (%4 pixels a side, %5 pixels); choose a smaller frame or another --target</source>
        <translation>--target %1: un cuadro de %2 × %3 es mayor de lo que puede ser una hoja (%4 píxeles por lado, %5 píxeles); elija un cuadro menor u otro --target</translation>
    </message>
    <message>
        <source>a sheet of %1 × %2 pixels is too large</source>
        <translation>una hoja de %1 × %2 píxeles es demasiado grande</translation>
    </message>
    <message>
        <source>, or lay the frames out with %1</source>
        <translation>, o reparta los cuadros con %1</translation>
    </message>
    <message>
        <source>--target %1: a sheet of %2 × %3 pixels is over its limits (%4 pixels a side, %5 pixels); %6 fits</source>
        <translation>--target %1: una hoja de %2 × %3 píxeles supera sus límites (%4 píxeles por lado, %5 píxeles); %6 cabe</translation>
    </message>
    <message>
        <source>%1 sheets cannot go to standard output: give -o FILE</source>
        <translation>%1 hojas no pueden ir a la salida estándar: indique -o ARCHIVO</translation>
    </message>
    <message>
        <source>--manifest: %1 would be written over %2</source>
        <translation>--manifest: %1 se escribiría encima de %2</translation>
    </message>
    <message>
        <source>--manifest needs the sheets in files, not on standard output</source>
        <translation>--manifest necesita las hojas en archivos, no en la salida estándar</translation>
    </message>
    <message>
        <source>print the HTML that shows the sheets in a page of your own (needs --manifest or --html; framolin-spin.js is written beside the manifest)</source>
        <translation>escribe el HTML que muestra las hojas en una página propia (requiere --manifest o --html; framolin-spin.js se escribe junto al manifiesto)</translation>
    </message>
    <message>
        <source>%1 would be written over %2</source>
        <translation>%1 se escribiría sobre %2</translation>
    </message>
    <message>
        <source>--embed shows the sheets through their manifest: give --manifest FILE or --html PAGE</source>
        <translation>--embed muestra las hojas a través de su manifiesto: indique --manifest ARCHIVO o --html PÁGINA</translation>
    </message>
    <message>
        <source>360° view of %1</source>
        <translation>Vista de 360° de %1</translation>
    </message>
    <message>
        <source>SIZE</source>
        <translation>TAMAÑO</translation>
    </message>
    <message>
        <source>--max-bytes: &quot;%1&quot; is not a size such as 20MB, 20MiB, 500kB or a number of bytes</source>
        <translation>--max-bytes: &quot;%1&quot; no es un tamaño como 20MB, 20MiB, 500kB o un número de bytes</translation>
    </message>
    <message>
        <source>--max-bytes needs the sheets in files, not on standard output</source>
        <translation>--max-bytes necesita las hojas en archivos, no en la salida estándar</translation>
    </message>
    <message>
        <source>the sheets take %1 (%2 bytes), over --max-bytes %3 bytes: nothing was written; use a lower --quality, a smaller frame or fewer --frames</source>
        <translation>las hojas ocupan %1 (%2 bytes), más que --max-bytes %3 bytes: no se escribió nada; use una --quality menor, un cuadro más pequeño o menos --frames</translation>
    </message>
    <message>
        <source>the sheets take %1, more than a phone should load (%2): %3</source>
        <translation>las hojas ocupan %1, más de lo que un teléfono debería cargar (%2): %3</translation>
    </message>
    <message>
        <source>BOX</source>
        <translation>CAJA</translation>
    </message>
    <message>
        <source>X,Y,W,H: this part of every picture (upright pixels); auto[:MARGIN]: the part around the object in all pictures, symmetric about their centre line, MARGIN % added on each side (5), widened to the frame&apos;s aspect</source>
        <translation>X,Y,W,H: esta parte de cada imagen (píxeles con la imagen derecha); auto[:MARGEN]: la parte alrededor del objeto en todas las imágenes, simétrica respecto a su línea central, con un MARGEN % añadido a cada lado (5), ensanchada a la proporción del cuadro</translation>
    </message>
    <message>
        <source>--crop: a margin of &quot;%1&quot; is over %2 %</source>
        <translation>--crop: un margen de &quot;%1&quot; pasa del %2 %</translation>
    </message>
    <message>
        <source>--crop: &quot;%1&quot; is not auto, auto:MARGIN or X,Y,W,H (whole pixels, width and height above 0)</source>
        <translation>--crop: &quot;%1&quot; no es auto, auto:MARGEN ni X,Y,W,H (píxeles enteros, ancho y alto mayores que 0)</translation>
    </message>
    <message>
        <source>crop box: %1,%2,%3,%4</source>
        <translation>recorte: %1,%2,%3,%4</translation>
    </message>
    <message>
        <source>crop box: no object found, the whole picture</source>
        <translation>recorte: no se encontró ningún objeto, la imagen entera</translation>
    </message>
    <message>
        <source>--poster, --frames-dir, --scale and --zoom need the strip in a file, not on standard output</source>
        <translation>--poster, --frames-dir, --scale y --zoom necesitan la tira en un archivo, no en la salida estándar</translation>
    </message>
    <message>
        <source>--zoom: %1 × %2 is not larger than the frame (%3 × %4)</source>
        <translation>--zoom: %1 × %2 no es mayor que el cuadro (%3 × %4)</translation>
    </message>
    <message>
        <source>%1: not a folder</source>
        <translation>%1: no es una carpeta</translation>
    </message>
    <message>
        <source>%1 holds the input picture %2: write the frames to another folder</source>
        <translation>%1 contiene la imagen de entrada %2: escriba los cuadros en otra carpeta</translation>
    </message>
    <message>
        <source>also write the first frame as a small JPEG, NAME-poster.jpg beside the strip (at most 640 pixels a side)</source>
        <translation>escribir también el primer cuadro como un JPEG pequeño, NOMBRE-poster.jpg junto a la tira (640 píxeles por lado como mucho)</translation>
    </message>
    <message>
        <source>DIR</source>
        <translation>CARPETA</translation>
    </message>
    <message>
        <source>also write each frame as its own file in DIR (made if missing), 0001.EXT, 0002.EXT, ... in the strip&apos;s format, and DIR.zip holding them</source>
        <translation>escribir también cada cuadro como un archivo propio en CARPETA (creada si falta), 0001.EXT, 0002.EXT, ... en el formato de la tira, y CARPETA.zip que los contiene</translation>
    </message>
    <message>
        <source>LIST</source>
        <translation>LISTA</translation>
    </message>
    <message>
        <source>1 (the default) or 1,2: also the sheets at twice the frame size, NAME@2x.EXT or NAME-0@2x.EXT, ..., decoded from the pictures</source>
        <translation>1 (por omisión) o 1,2: también las hojas al doble del tamaño de cuadro, NOMBRE@2x.EXT o NOMBRE-0@2x.EXT, ..., decodificadas de las imágenes</translation>
    </message>
    <message>
        <source>also write each frame at this larger size as JPEG in NAME-zoom/ (0001.jpg, ...), decoded from the pictures; a side of 0 follows the frame&apos;s aspect</source>
        <translation>escribir también cada cuadro a este tamaño mayor como JPEG en NOMBRE-zoom/ (0001.jpg, ...), decodificado de las imágenes; un lado de 0 sigue la proporción del cuadro</translation>
    </message>
    <message>
        <source>--scale: &quot;%1&quot; is not 1 or 1,2</source>
        <translation>--scale: &quot;%1&quot; no es 1 ni 1,2</translation>
    </message>
    <message>
        <source>--frames-dir needs a folder</source>
        <translation>--frames-dir necesita una carpeta</translation>
    </message>
    <message>
        <source>%1: the loop takes %2 bytes even at quality %3 with frames of %4 × %5, over --max-bytes %6 bytes: nothing was written; use fewer --frames</source>
        <translation>%1: el bucle ocupa %2 bytes aun con calidad %3 y cuadros de %4 × %5, más que --max-bytes %6 bytes: no se escribió nada; use menos --frames</translation>
    </message>
    <message>
        <source>%1 frame of %2 × %3 → %4 (%5 loop, %6 fps, %7 s, %8)</source>
        <translation>%1 cuadro de %2 × %3 → %4 (bucle %5, %6 fps, %7 s, %8)</translation>
    </message>
    <message>
        <source>%1 frames of %2 × %3 → %4 (%5 loop, %6 fps, %7 s, %8)</source>
        <translation>%1 cuadros de %2 × %3 → %4 (bucle %5, %6 fps, %7 s, %8)</translation>
    </message>
    <message>
        <source>--max-bytes %1: quality %2 and frames of %3 × %4 fit</source>
        <translation>--max-bytes %1: caben con calidad %2 y cuadros de %3 × %4</translation>
    </message>
    <message>
        <source>quality of JPEG, WebP and loops, 1 to 100 (90)</source>
        <translation>calidad de JPEG, WebP y bucles, de 1 a 100 (90)</translation>
    </message>
    <message>
        <source>frames a second of a loop: an output ending in .gif, .mp4 or .webm, or .webp with --animate, is one turn that plays forever (12)</source>
        <translation>cuadros por segundo de un bucle: una salida terminada en .gif, .mp4 o .webm, o .webp con --animate, es una vuelta que se repite sin fin (12)</translation>
    </message>
    <message>
        <source>a .webp output is an animated loop instead of a still strip</source>
        <translation>una salida .webp es un bucle animado en lugar de una tira fija</translation>
    </message>
    <message>
        <source>refuse a set of sheets larger than SIZE in all, before the page or the manifest is written: bytes, or with kB, MB, GB (1000) or KiB, MiB, GiB (1024), for example 20MB; a loop is made at lower quality, then smaller, until it fits</source>
        <translation>rechaza un juego de hojas de más de TAMAÑO en total, antes de escribir la página o el manifiesto: bytes, o con kB, MB, GB (1000) o KiB, MiB, GiB (1024), por ejemplo 20MB; un bucle se hace con menos calidad, luego más pequeño, hasta que quepa</translation>
    </message>
    <message>
        <source>%1 is for sheets, not for a loop (%2)</source>
        <translation>%1 es para hojas, no para un bucle (%2)</translation>
    </message>
    <message>
        <source>%1 is only for a loop: an output ending in .gif, .mp4, .webm, or .webp with --animate</source>
        <translation>%1 es solo para un bucle: una salida terminada en .gif, .mp4, .webm, o .webp con --animate</translation>
    </message>
    <message>
        <source>also write the frames as a loop (.gif, .mp4, .webm or animated .webp) beside the sheets, listed in their manifest</source>
        <translation>escribe también los cuadros como un bucle (.gif, .mp4, .webm o .webp animado) junto a las hojas, citado en su manifiesto</translation>
    </message>
    <message>
        <source>--loop writes a loop beside sheets, and %1 is a loop already</source>
        <translation>--loop escribe un bucle junto a las hojas, y %1 ya es un bucle</translation>
    </message>
    <message>
        <source>--loop: %1 does not end in .gif, .mp4, .webm or .webp</source>
        <translation>--loop: %1 no termina en .gif, .mp4, .webm ni .webp</translation>
    </message>
    <message>
        <source>--turn: &quot;%1&quot; is not START..END in seconds, START before END, for example 1.5..9</source>
        <translation>--turn: &quot;%1&quot; no es INICIO..FIN en segundos, INICIO antes de FIN, por ejemplo 1.5..9</translation>
    </message>
    <message>
        <source>%1: the video lasts %2 s, shorter than the turn to %3 s</source>
        <translation>%1: el vídeo dura %2 s, menos que la vuelta hasta %3 s</translation>
    </message>
    <message>
        <source>--turn is for videos, and no video was given</source>
        <translation>--turn es para vídeos, y no se dio ningún vídeo</translation>
    </message>
    <message>
        <source>N pictures spread evenly over the inputs (of each lane); of each video, N moments spread evenly over it (36)</source>
        <translation>N imágenes repartidas por igual entre las entradas (de cada carril); de cada vídeo, N momentos repartidos por igual a lo largo de él (36)</translation>
    </message>
    <message>
        <source>START..END</source>
        <translation>INICIO..FIN</translation>
    </message>
    <message>
        <source>the seconds of each video that hold one turn, for example 1.5..9: the moments are taken from it alone</source>
        <translation>los segundos de cada vídeo que abarcan una vuelta, por ejemplo 1.5..9: los momentos se toman solo de ahí</translation>
    </message>
</context>
</TS>
