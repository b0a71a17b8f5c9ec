#include "decode.h"

#include "jpeg.h"
#include "stretch.h"

#include <QFile>
#include <QImageReader>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

bool isSupportedFormat(const QByteArray &format)
{
    return format == "bmp" || format == "jpeg" || format == "jpg" || format == "gif";
}

QString describe(const QImageReader &reader)
{
    switch (reader.error()) {
    case QImageReader::UnsupportedFormatError:
        return u"no es una imagen BMP, JPG o GIF"_s;
    case QImageReader::FileNotFoundError:
        return u"no se encontró el archivo"_s;
    case QImageReader::DeviceError:
        return u"no se pudo leer el archivo"_s;
    case QImageReader::InvalidDataError:
    case QImageReader::UnknownError:
        break;
    }
    return u"datos de imagen dañados o incompletos"_s;
}

bool looksLikeJpeg(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(3);
    return head == QByteArrayLiteral("\xFF\xD8\xFF");
}

} // namespace

QSize probe(const QString &path, QString *reason)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (!reader.canRead() || !isSupportedFormat(format)) {
        *reason = format.isEmpty() || !isSupportedFormat(format)
            ? u"no es una imagen BMP, JPG o GIF"_s
            : describe(reader);
        return {};
    }
    const QSize size = reader.size();
    if (size.isEmpty()) {
        *reason = u"tamaño de imagen no válido"_s;
        return {};
    }
    return size;
}

QImage decodeFrame(const QString &path, QSize frame, QString *reason)
{
    // JPEG goes straight to libjpeg at the smallest DCT scale that still covers the frame:
    // decoding is nearly all of a frame's cost, and the reduced decode also takes pictures
    // whose full size the image reader would refuse to allocate.
    if (looksLikeJpeg(path)) {
        QImage image;
        switch (decodeJpegReduced(path, frame, &image, reason)) {
        case JpegResult::Decoded:
            return stretch(image, frame);
        case JpegResult::Failed:
            return {};
        case JpegResult::Unsupported:
            break; // CMYK: Qt converts it
        }
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (!isSupportedFormat(format)) {
        *reason = u"no es una imagen BMP, JPG o GIF"_s;
        return {};
    }
    const QSize full = reader.size();
    if ((format == "jpeg" || format == "jpg") && full.isValid() && full.width() > frame.width()
        && full.height() > frame.height())
        reader.setScaledSize(frame);
    QImage image = reader.read();
    if (image.isNull()) {
        *reason = describe(reader);
        return {};
    }
    return stretch(image, frame);
}

} // namespace engine
