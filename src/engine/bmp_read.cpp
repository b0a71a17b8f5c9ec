// SPDX-License-Identifier: GPL-3.0-or-later
#include "bmp_read.h"

#include "decode.h"

#include <QCoreApplication>
#include <QImageReader>
#include <QList>
#include <QtEndian>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

constexpr quint32 kRle8 = 1;
constexpr quint32 kRle4 = 2;
constexpr QRgb kBlack = 0xff000000;

struct Header
{
    qint64 dataOffset = 0;
    quint32 infoSize = 0;
    int width = 0;
    int height = 0; // negative: the first stored row is the top one
    int bits = 0;
    quint32 compression = 0;
    quint32 colours = 0;
};

bool parseHeader(const QByteArray &bytes, Header *header)
{
    if (bytes.size() < 26)
        return false;
    const char *p = bytes.constData();
    header->dataOffset = qFromLittleEndian<quint32>(p + 10);
    header->infoSize = qFromLittleEndian<quint32>(p + 14);
    if (header->infoSize == 12) { // the oldest header: 16-bit sides, no compression
        header->width = qFromLittleEndian<quint16>(p + 18);
        header->height = qFromLittleEndian<quint16>(p + 20);
        header->bits = qFromLittleEndian<quint16>(p + 24);
        return true;
    }
    if (header->infoSize < 40 || bytes.size() < 50)
        return false;
    header->width = qFromLittleEndian<qint32>(p + 18);
    header->height = qFromLittleEndian<qint32>(p + 22);
    header->bits = qFromLittleEndian<quint16>(p + 28);
    header->compression = qFromLittleEndian<quint32>(p + 30);
    header->colours = qFromLittleEndian<quint32>(p + 46);
    return header->width > 0 && header->height != 0 && header->height != INT_MIN;
}

// Where the rows start: the header's offset, or past the palette or masks when it points
// into them (where Qt's reader then starts).
qint64 pixelStart(const Header &header)
{
    const qint64 entries = header.bits > 8 ? 0
        : header.colours                   ? header.colours
                                           : qint64(1) << header.bits;
    const qint64 palette = entries * (header.infoSize == 12 ? 3 : 4);
    const bool bitFields = header.compression == 3 || header.compression == 6;
    const qint64 masks
        = bitFields && header.infoSize < 108 ? (header.compression == 6 ? 16 : 12) : 0;
    return std::max(header.dataOffset, 14 + qint64(header.infoSize) + palette + masks);
}

QString damaged()
{
    return QCoreApplication::translate("engine", "damaged or incomplete picture data");
}

// RLE4 and RLE8 onto black: a stream may end early, skip pixels with a delta or end a row
// before its last pixel, and what it skips stays black. Pixels beyond a row are dropped.
QImage decodeRle(const QByteArray &bytes, const Header &header, QString *reason)
{
    const int width = header.width;
    const int height = std::abs(header.height);
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        *reason = QCoreApplication::translate("engine", "out of memory for %1 × %2 pixels")
                      .arg(width)
                      .arg(height);
        return {};
    }
    image.fill(kBlack);
    const bool rle4 = header.compression == kRle4;
    QList<QRgb> palette(256, kBlack);
    const qint64 colours = std::min<qint64>(header.colours ? header.colours : 256, rle4 ? 16 : 256);
    for (qint64 i = 0, at = 14 + header.infoSize; i < colours && at + 3 <= bytes.size();
         ++i, at += 4)
        palette[i] = qRgb(uchar(bytes[at + 2]), uchar(bytes[at + 1]), uchar(bytes[at]));

    qint64 at = header.dataOffset;
    const auto next = [&]() -> int { return at < bytes.size() ? uchar(bytes[at++]) : -1; };
    int x = 0;
    int y = 0; // stored rows, the first at the bottom unless the height is negative
    QRgb *row = nullptr;
    const auto seekRow = [&] {
        row = y < height
            ? reinterpret_cast<QRgb *>(image.scanLine(header.height > 0 ? height - 1 - y : y))
            : nullptr;
    };
    const auto put = [&](int index) {
        if (row && x < width)
            row[x] = palette[index];
        ++x;
    };
    seekRow();
    while (y < height) {
        const int count = next();
        const int value = next();
        if (value < 0)
            break;
        if (count > 0) { // a run: one index, or two alternating ones for RLE4
            for (int i = 0; i < count; ++i)
                put(rle4 ? ((i % 2 == 0) ? value >> 4 : value & 0x0f) : value);
        } else if (value == 0) { // end of row
            x = 0;
            ++y;
            seekRow();
        } else if (value == 1) { // end of picture
            break;
        } else if (value == 2) { // delta
            const int dx = next();
            const int dy = next();
            if (dy < 0)
                break;
            x += dx;
            y += dy;
            seekRow();
        } else { // `value` indices as they are, padded to an even number of bytes
            int current = 0;
            for (int i = 0; i < value && current >= 0; ++i) {
                if (!rle4 || i % 2 == 0)
                    current = next();
                if (current >= 0)
                    put(rle4 ? ((i % 2 == 0) ? current >> 4 : current & 0x0f) : current);
            }
            if ((rle4 ? (value + 1) / 2 : value) % 2 == 1)
                next();
        }
    }
    return image;
}

// An all-zero alpha channel is one the writing program never filled in (common from Windows
// tools), not a wholly see-through picture: shown opaque, as browsers do.
void opaqueIfAlphaIsAllZero(QImage &image)
{
    if (image.format() != QImage::Format_ARGB32)
        return;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        if (std::any_of(row, row + image.width(), [](QRgb p) { return qAlpha(p) != 0; }))
            return;
    }
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::for_each(row, row + image.width(), [](QRgb &p) { p |= kBlack; });
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
}

} // namespace

QImage readBmp(QFile &file, QString *reason)
{
    if (!file.seek(0)) {
        *reason = QCoreApplication::translate("engine", "the file could not be read");
        return {};
    }
    Header header;
    const bool parsed = parseHeader(file.peek(64), &header);
    if (parsed && (header.compression == kRle8 || header.compression == kRle4)) {
        // What the budget allows of the stream; anything beyond is taken as cut.
        const QByteArray bytes = file.read(kMaxDecodeBytes);
        return decodeRle(bytes, header, reason);
    }
    QImageReader reader(&file, "bmp");
    reader.setAllocationLimit(kMaxDecodeMegabytes);
    QImage image = reader.read();
    if (image.isNull()) {
        *reason = damaged();
        return {};
    }
    if (!parsed)
        return image;
    // Qt's reader leaves the rows the file does not hold (the last one cut short included) as
    // the allocation found them: they are zeroed before anything reads them, then made black.
    const qint64 stride = (qint64(header.width) * header.bits + 31) / 32 * 4;
    const int rows = image.height();
    const qint64 present = stride > 0
        ? std::clamp<qint64>((file.size() - pixelStart(header)) / stride, 0, rows)
        : rows;
    const int first = header.height > 0 ? 0 : int(present);
    const int last = header.height > 0 ? rows - int(present) : rows;
    for (int y = first; y < last; ++y)
        std::memset(image.scanLine(y), 0, size_t(image.bytesPerLine()));
    opaqueIfAlphaIsAllZero(image);
    if (first == last)
        return image;
    if (image.depth() != 32)
        image = image.convertToFormat(QImage::Format_RGB32);
    for (int y = first; y < last; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::fill(row, row + image.width(), kBlack);
    }
    return image;
}

} // namespace engine
