// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QVector>

#include <map>

#include <gtest/gtest.h>

namespace pictures {

QImage solid(int width, int height, const QColor &color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QImage pattern(int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           qRgb((x * 255 / width + seed * 40) & 0xff, y * 255 / height,
                                ((x / 7 + y / 5 + seed) % 2) * 200));
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromHsv(seed * 37 % 360, 200, 220));
    p.drawEllipse(width / 4, height / 4, width / 2, height / 2);
    return image;
}

QImage stripes(const QList<QRgb> &colours)
{
    QImage image(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            image.setPixel(x, y, colours[(x + 2 * y) % colours.size()]);
    return image;
}

QImage detailed(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 6, (x * y) % 256, (y * 37) % 256));
    return image;
}

QImage noise(int width, int height, quint32 seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = ((seed = seed * 1664525u + 1013904223u) >> 8) | 0xff000000u;
    }
    return image;
}

namespace {

void put16(QByteArray &out, int v)
{
    out.append(char(v & 0xff));
    out.append(char((v >> 8) & 0xff));
}

// A GIF with one 256-colour table for every frame and LZW data that never compresses: 9-bit
// codes with a clear code every 254 pixels, which every decoder accepts.
QByteArray encodeGif(const QList<QImage> &frames, const GifOptions &options)
{
    std::map<QRgb, int> palette;
    QList<QVector<uchar>> indices;
    for (const QImage &frame : frames) {
        const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
        QVector<uchar> &out = indices.emplace_back();
        for (int y = 0; y < rgb.height(); ++y)
            for (int x = 0; x < rgb.width(); ++x) {
                const QRgb c = rgb.pixel(x, y) | 0xff000000u;
                auto it = palette.find(c);
                if (it == palette.end())
                    it = palette.emplace(c, int(palette.size()) % 256).first;
                out.append(uchar(it->second));
            }
    }
    const QSize screen = frames.isEmpty() ? QSize() : frames.first().size();
    QByteArray out("GIF89a");
    put16(out, screen.width());
    put16(out, screen.height());
    out.append(char(0xF7)); // global table, 8 bits, 256 entries
    out.append('\0');
    out.append('\0');
    QByteArray table(256 * 3, '\0');
    for (const auto &[c, i] : palette) {
        table[3 * i] = char(qRed(c));
        table[3 * i + 1] = char(qGreen(c));
        table[3 * i + 2] = char(qBlue(c));
    }
    out.append(table);
    if (frames.size() > 1)
        out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19); // loop forever
    for (qsizetype f = 0; f < frames.size(); ++f) {
        const int width = frames[f].width();
        const int height = frames[f].height();
        if (options.transparent.isValid() || frames.size() > 1) {
            const auto it = options.transparent.isValid()
                ? palette.find(options.transparent.rgb() | 0xff000000u)
                : palette.end();
            const bool hasTransparent = it != palette.end();
            out.append("\x21\xF9\x04", 3);
            out.append(char(hasTransparent ? 0x01 : 0x00));
            put16(out, 10); // 0.1 s per frame
            out.append(char(hasTransparent ? it->second : 0));
            out.append('\0');
        }
        out.append(',');
        put16(out, 0);
        put16(out, 0);
        put16(out, width);
        put16(out, height);
        out.append(char(options.interlaced ? 0x40 : 0x00));
        out.append(char(8)); // minimum code size
        // Interlaced rows are stored in four passes: every 8th from 0, every 8th from 4,
        // every 4th from 2, every 2nd from 1.
        QVector<int> rows;
        if (options.interlaced) {
            for (const auto &[start, step] : { std::pair { 0, 8 }, { 4, 8 }, { 2, 4 }, { 1, 2 } })
                for (int y = start; y < height; y += step)
                    rows.append(y);
        } else {
            for (int y = 0; y < height; ++y)
                rows.append(y);
        }
        QByteArray data;
        quint32 buffer = 0;
        int bits = 0;
        auto emit = [&](int code) {
            buffer |= quint32(code) << bits;
            bits += 9;
            while (bits >= 8) {
                data.append(char(buffer & 0xff));
                buffer >>= 8;
                bits -= 8;
            }
        };
        int run = 0;
        emit(256);
        for (int y : rows)
            for (int x = 0; x < width; ++x) {
                if (run == 254) {
                    emit(256);
                    run = 0;
                }
                emit(indices[f][y * width + x]);
                ++run;
            }
        emit(257);
        if (bits > 0)
            data.append(char(buffer & 0xff));
        for (qsizetype i = 0; i < data.size(); i += 255) {
            const qsizetype n = std::min<qsizetype>(255, data.size() - i);
            out.append(char(n));
            out.append(data.mid(i, n));
        }
        out.append('\0');
    }
    out.append(';');
    return out;
}

} // namespace

bool write(const QImage &image, const QString &path, const char *format, const QColor &transparent)
{
    if (qstrcmp(format, "GIF") == 0) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly)
            && file.write(encodeGif({ image }, GifOptions { transparent, false })) > 0;
    }
    return image.save(path, format, 95);
}

QByteArray gif(const QList<QImage> &frames, const GifOptions &options)
{
    return encodeGif(frames, options);
}

QByteArray encoded(const QImage &image, const char *format, int quality, bool progressive)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    const bool written = writer.write(image);
    EXPECT_TRUE(written) << format << ": " << qPrintable(writer.errorString());
    return written ? bytes : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

bool writeProgressiveJpeg(const QImage &image, const QString &path, int quality)
{
    QImageWriter writer(path, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.setQuality(quality);
    return writer.write(image);
}

void Folder::add(const QString &name, const QImage &image, const char *format,
                 const QColor &transparent)
{
    added(name, write(image, QDir(m_path).filePath(name), format, transparent));
}

void Folder::addProgressiveJpeg(const QString &name, const QImage &image, int quality)
{
    added(name, writeProgressiveJpeg(image, QDir(m_path).filePath(name), quality));
}

void Folder::addBytes(const QString &name, const QByteArray &bytes)
{
    added(name, writeBytes(QDir(m_path).filePath(name), bytes));
}

void Folder::added(const QString &name, bool written)
{
    EXPECT_TRUE(written) << qPrintable(name);
    m_paths.append(QDir(m_path).filePath(name));
}

} // namespace pictures
