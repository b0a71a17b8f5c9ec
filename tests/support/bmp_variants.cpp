// SPDX-License-Identifier: GPL-3.0-or-later
#include "bmp_variants.h"

#include <QtEndian>

#include <cstring>

#include <map>

namespace pictures {

namespace {

void put16(QByteArray &out, quint16 v)
{
    out.append(char(v & 0xff));
    out.append(char(v >> 8));
}

void put32(QByteArray &out, quint32 v)
{
    put16(out, quint16(v & 0xffff));
    put16(out, quint16(v >> 16));
}

void pad4(QByteArray &row)
{
    while (row.size() % 4)
        row.append('\0');
}

// RLE8 or RLE4 encoded runs of equal indices, row by row bottom-up, with end-of-line and
// end-of-bitmap markers.
QByteArray encodeRle(const QList<QList<int>> &rows, int bits)
{
    QByteArray out;
    for (qsizetype r = rows.size() - 1; r >= 0; --r) {
        const QList<int> &row = rows[r];
        for (qsizetype x = 0; x < row.size();) {
            qsizetype n = 1;
            while (x + n < row.size() && row[x + n] == row[x] && n < 255)
                ++n;
            out.append(char(n));
            out.append(char(bits == 8 ? row[x] : (row[x] << 4) | row[x]));
            x += n;
        }
        out.append('\0');
        out.append('\0');
    }
    out.append('\0');
    out.append('\1');
    return out;
}

} // namespace

QByteArray bmp(const QImage &source, BmpLayout layout)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    const int bpp = layout.bitsPerPixel;
    const bool bitfields = layout.compression == BmpCompression::Bitfields;

    std::map<QRgb, int> palette;
    QList<QList<int>> indexRows;
    if (bpp <= 8) {
        for (int y = 0; y < h; ++y) {
            QList<int> &row = indexRows.emplace_back();
            for (int x = 0; x < w; ++x) {
                const QRgb c = image.pixel(x, y);
                auto it = palette.find(c);
                if (it == palette.end())
                    it = palette.emplace(c, int(palette.size()) % (1 << bpp)).first;
                row.append(it->second);
            }
        }
    }

    QByteArray pixels;
    if (layout.compression == BmpCompression::Rle8 || layout.compression == BmpCompression::Rle4) {
        pixels = encodeRle(indexRows, bpp);
    } else {
        for (int i = 0; i < h; ++i) {
            const int y = layout.topDown ? i : h - 1 - i;
            QByteArray row;
            if (bpp <= 8) {
                quint32 acc = 0;
                int used = 0;
                for (int x = 0; x < w; ++x) {
                    acc = (acc << bpp) | quint32(indexRows[y][x]);
                    used += bpp;
                    if (used == 8) {
                        row.append(char(acc));
                        acc = 0;
                        used = 0;
                    }
                }
                if (used > 0)
                    row.append(char(acc << (8 - used)));
            } else {
                for (int x = 0; x < w; ++x) {
                    const QRgb c = image.pixel(x, y);
                    if (bpp == 16) {
                        const quint16 v = bitfields
                            ? quint16(((qRed(c) >> 3) << 11) | ((qGreen(c) >> 2) << 5)
                                      | (qBlue(c) >> 3))
                            : quint16(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5)
                                      | (qBlue(c) >> 3));
                        put16(row, v);
                    } else if (bpp == 24) {
                        row.append(char(qBlue(c)));
                        row.append(char(qGreen(c)));
                        row.append(char(qRed(c)));
                    } else if (bitfields) {
                        put32(row,
                              quint32(qRed(c)) | quint32(qGreen(c)) << 8 | quint32(qBlue(c)) << 16);
                    } else {
                        put32(row, c & 0x00ffffffu);
                    }
                }
            }
            pad4(row);
            pixels.append(row);
        }
    }

    const int colours = bpp <= 8 ? 1 << bpp : 0;
    const int masks = bitfields ? 12 : 0;
    const auto offset = static_cast<quint32>(14 + 40 + masks + 4 * colours);
    QByteArray out("BM");
    put32(out, offset + quint32(pixels.size()));
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, quint32(w));
    put32(out, quint32(layout.topDown ? -h : h));
    put16(out, 1);
    put16(out, quint16(bpp));
    put32(out, quint32(layout.compression));
    put32(out, quint32(pixels.size()));
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, quint32(colours));
    put32(out, 0);
    if (bitfields) {
        if (bpp == 16) {
            put32(out, 0xF800);
            put32(out, 0x07E0);
            put32(out, 0x001F);
        } else {
            put32(out, 0x000000FF);
            put32(out, 0x0000FF00);
            put32(out, 0x00FF0000);
        }
    }
    QByteArray table(4 * colours, '\0');
    for (const auto &[c, i] : palette) {
        table[4 * i] = char(qBlue(c));
        table[4 * i + 1] = char(qGreen(c));
        table[4 * i + 2] = char(qRed(c));
    }
    out.append(table);
    out.append(pixels);
    return out;
}

QByteArray bmpWithAlpha(const QImage &image, uchar alpha)
{
    const int w = image.width(), h = image.height();
    QByteArray out(14 + 124, '\0');
    char *p = out.data();
    p[0] = 'B';
    p[1] = 'M';
    qToLittleEndian(quint32(14 + 124 + 4 * w * h), p + 2);
    qToLittleEndian(quint32(14 + 124), p + 10);
    qToLittleEndian(quint32(124), p + 14);
    qToLittleEndian(qint32(w), p + 18);
    qToLittleEndian(qint32(h), p + 22);
    qToLittleEndian(quint16(1), p + 26);
    qToLittleEndian(quint16(32), p + 28);
    qToLittleEndian(quint32(3), p + 30); // bit fields
    qToLittleEndian(quint32(4 * w * h), p + 34);
    for (const auto &[at, mask] : { std::pair { 54, 0x00FF0000u },
                                    { 58, 0x0000FF00u },
                                    { 62, 0x000000FFu },
                                    { 66, 0xFF000000u } })
        qToLittleEndian(quint32(mask), p + at);
    std::memcpy(p + 70, "BGRs", 4); // sRGB
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            const char pixel[4] { char(qBlue(c)), char(qGreen(c)), char(qRed(c)), char(alpha) };
            out.append(pixel, 4);
        }
    return out;
}

} // namespace pictures
