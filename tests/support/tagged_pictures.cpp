// SPDX-License-Identifier: GPL-3.0-or-later
#include "tagged_pictures.h"

#include "pictures.h"

#include <QtEndian>

namespace pictures {

namespace {

QByteArray le32(quint32 value)
{
    QByteArray out(4, '\0');
    qToLittleEndian(value, out.data());
    return out;
}

QByteArray le24(int value)
{
    return le32(quint32(value)).left(3);
}

QByteArray chunk(const char *fourcc, const QByteArray &payload)
{
    QByteArray out(fourcc, 4);
    out += le32(quint32(payload.size())) + payload;
    if (payload.size() % 2)
        out.append('\0');
    return out;
}

QByteArray riff(const QByteArray &chunks)
{
    return "RIFF" + le32(quint32(4 + chunks.size())) + "WEBP" + chunks;
}

// The image chunk ("VP8 " or "VP8L") of a simple-format WebP that Qt wrote.
QByteArray webpImageChunk(const QImage &image, int quality)
{
    const QByteArray simple = encoded(image, "webp", quality);
    return simple.size() > 12 ? simple.mid(12) : QByteArray();
}

QByteArray vp8x(quint8 flags, QSize canvas)
{
    QByteArray payload(4, '\0');
    payload[0] = char(flags);
    return chunk("VP8X", payload + le24(canvas.width() - 1) + le24(canvas.height() - 1));
}

} // namespace

QByteArray exifOrientationBlock(int orientation, bool bigEndian)
{
    auto u16 = [bigEndian](int v) {
        QByteArray out(2, '\0');
        if (bigEndian)
            qToBigEndian(quint16(v), out.data());
        else
            qToLittleEndian(quint16(v), out.data());
        return out;
    };
    auto u32 = [bigEndian](quint32 v) {
        QByteArray out(4, '\0');
        if (bigEndian)
            qToBigEndian(v, out.data());
        else
            qToLittleEndian(v, out.data());
        return out;
    };
    QByteArray tiff = bigEndian ? QByteArray("MM\0*", 4) : QByteArray("II*\0", 4);
    tiff += u32(8) + u16(1); // IFD0 right after the header, one entry
    tiff += u16(0x0112) + u16(3) + u32(1) + u16(orientation) + u16(0); // SHORT, padded
    tiff += u32(0); // no further IFD
    return QByteArray("Exif\0\0", 6) + tiff;
}

QByteArray jpegWithExif(const QImage &image, const QByteArray &exif, int quality)
{
    const QByteArray jpeg = encoded(image, "jpeg", quality);
    QByteArray app1("\xFF\xE1", 2);
    app1.append(char(((exif.size() + 2) >> 8) & 0xff));
    app1.append(char((exif.size() + 2) & 0xff));
    return jpeg.left(2) + app1 + exif + jpeg.mid(2);
}

QByteArray webpWithExif(const QImage &image, const QByteArray &exif)
{
    const QByteArray tiff = exif.startsWith(QByteArrayView("Exif\0\0", 6)) ? exif.mid(6) : exif;
    return riff(vp8x(0x08, image.size()) + webpImageChunk(image, 90) + chunk("EXIF", tiff));
}

QByteArray animatedWebp(const QList<QImage> &frames)
{
    const QSize canvas = frames.first().size();
    QByteArray chunks = vp8x(0x02, canvas);
    chunks += chunk("ANIM", QByteArray(4, '\0') + QByteArray(2, '\0')); // back colour, loop
    for (const QImage &frame : frames) {
        QByteArray header = le24(0) + le24(0); // offset / 2
        header += le24(frame.width() - 1) + le24(frame.height() - 1);
        header += le24(100); // duration in ms
        header.append('\0'); // blend and dispose flags
        chunks += chunk("ANMF", header + webpImageChunk(frame, 100));
    }
    return riff(chunks);
}

QPoint storedPixel(int orientation, QPoint upright, int storedWidth, int storedHeight)
{
    const int x = upright.x(), y = upright.y(), w = storedWidth, h = storedHeight;
    switch (orientation) {
    case 2: // mirrored
        return { w - 1 - x, y };
    case 3: // half a turn
        return { w - 1 - x, h - 1 - y };
    case 4: // flipped
        return { x, h - 1 - y };
    case 5: // transposed
        return { y, x };
    case 6: // a quarter clockwise
        return { y, h - 1 - x };
    case 7: // transversed
        return { w - 1 - y, h - 1 - x };
    case 8: // a quarter anticlockwise
        return { w - 1 - y, x };
    default:
        return upright;
    }
}

QImage storedFor(const QImage &upright, int orientation)
{
    const bool swapped = orientation >= 5;
    const int w = swapped ? upright.height() : upright.width();
    const int h = swapped ? upright.width() : upright.height();
    QImage stored(w, h, QImage::Format_RGB32);
    for (int y = 0; y < upright.height(); ++y)
        for (int x = 0; x < upright.width(); ++x)
            stored.setPixel(storedPixel(orientation, QPoint(x, y), w, h), upright.pixel(x, y));
    return stored;
}

} // namespace pictures
