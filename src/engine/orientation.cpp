// SPDX-License-Identifier: GPL-3.0-or-later
#include "orientation.h"

#include <QTransform>
#include <QtEndian>

#include <libexif/exif-data.h>

#include <cstring>

namespace engine {

int exifOrientation(const unsigned char *exif, std::size_t size)
{
    if (!exif || size < 8 || size > 0xFFFFFF)
        return 1;
    ExifData *data = exif_data_new();
    if (!data)
        return 1;
    // Only the tag is wanted: no repairs to the data, no maker notes.
    exif_data_unset_option(data, EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_set_option(data, EXIF_DATA_OPTION_IGNORE_UNKNOWN_TAGS);
    exif_data_load_data(data, exif, static_cast<unsigned int>(size));
    int orientation = 1;
    if (ExifEntry *entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
        entry && entry->format == EXIF_FORMAT_SHORT && entry->components == 1 && entry->data
        && entry->size >= 2) {
        const int value = exif_get_short(entry->data, exif_data_get_byte_order(data));
        if (value >= 1 && value <= 8)
            orientation = value;
    }
    exif_data_unref(data);
    return orientation;
}

int webpOrientation(QIODevice &device)
{
    // RIFF, size, WEBP, then chunks; only the extended format (VP8X) may carry EXIF.
    const qint64 at = device.pos();
    if (!device.seek(0))
        return 1;
    const QByteArray head = device.read(30);
    int orientation = 1;
    if (head.size() < 30 || !head.startsWith("RIFF") || head.mid(8, 8) != "WEBPVP8X"
        || !(head[20] & 0x08)) {
        device.seek(at);
        return orientation;
    }
    qint64 offset = 12;
    for (int chunks = 0; chunks < 64 && device.seek(offset); ++chunks) {
        char header[8];
        if (device.read(header, 8) != 8)
            break;
        const quint32 length = qFromLittleEndian<quint32>(header + 4);
        if (std::memcmp(header, "EXIF", 4) == 0) {
            if (length > 0xFFFFFF)
                break;
            // libexif wants the "Exif" preamble of JPEG's segment, which WebP writers may leave
            // out.
            QByteArray exif = device.read(length);
            if (!exif.startsWith(QByteArrayView("Exif\0\0", 6)))
                exif.prepend(QByteArrayView("Exif\0\0", 6));
            orientation = exifOrientation(reinterpret_cast<const unsigned char *>(exif.constData()),
                                          static_cast<std::size_t>(exif.size()));
            break;
        }
        offset += 8 + qint64(length) + (length & 1);
    }
    device.seek(at);
    return orientation;
}

QImage upright(const QImage &image, int orientation)
{
    // Quarter turns are exact in QImage::transformed (a plain memory rotation).
    switch (orientation) {
    case 2:
        return image.mirrored(true, false);
    case 3:
        return image.mirrored(true, true);
    case 4:
        return image.mirrored(false, true);
    case 5:
        return image.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6:
        return image.transformed(QTransform().rotate(90));
    case 7:
        return image.transformed(QTransform().rotate(270)).mirrored(true, false);
    case 8:
        return image.transformed(QTransform().rotate(270));
    default:
        return image;
    }
}

} // namespace engine
