#include "pictures.h"

#include <QFile>
#include <QVector>

#include <map>

namespace pictures {

QImage solid(int width, int height, const QColor &color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

namespace {

void put16(QByteArray &out, int v)
{
    out.append(char(v & 0xff));
    out.append(char((v >> 8) & 0xff));
}

// A GIF with a 256-colour table and LZW data that never compresses: 9-bit codes with a clear
// code every 254 pixels, which every decoder accepts.
QByteArray encodeGif(const QImage &image, const QColor &transparent)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::map<QRgb, int> palette;
    QVector<uchar> indices;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = rgb.pixel(x, y) | 0xff000000u;
            auto it = palette.find(c);
            if (it == palette.end())
                it = palette.emplace(c, int(palette.size()) % 256).first;
            indices.append(uchar(it->second));
        }
    QByteArray out("GIF89a");
    put16(out, rgb.width());
    put16(out, rgb.height());
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
    if (transparent.isValid()) {
        const auto it = palette.find(transparent.rgb() | 0xff000000u);
        out.append("\x21\xF9\x04\x01\x00\x00", 6);
        out.append(char(it == palette.end() ? 0 : it->second));
        out.append('\0');
    }
    out.append(',');
    put16(out, 0);
    put16(out, 0);
    put16(out, rgb.width());
    put16(out, rgb.height());
    out.append('\0');
    out.append(char(8)); // minimum code size
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
    for (uchar index : indices) {
        if (run == 254) {
            emit(256);
            run = 0;
        }
        emit(index);
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
    out.append(';');
    return out;
}

} // namespace

bool write(const QImage &image, const QString &path, const char *format, const QColor &transparent)
{
    if (qstrcmp(format, "GIF") == 0) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(encodeGif(image, transparent)) > 0;
    }
    return image.save(path, format, 95);
}

} // namespace pictures
