// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the benchmark corpus, the same bytes on every run: photo-like pictures (gradients,
// shapes and sensor-like noise from a fixed seed) as JPEG, progressive JPEG and BMP.
// Usage: make_corpus SET DIR   with SET one of photos, jpegs, mixed, pngs, huge.
// GIFs of the mixed set are converted from BMPs by the runner (Qt writes no GIF).

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <cstdio>
#include <random>

using namespace Qt::StringLiterals;

namespace {

QImage photo(int width, int height, unsigned seed)
{
    std::mt19937 random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, width * 0.3, height);
    sky.setColorAt(0, QColor::fromHsv(int(random() % 360), 120, 230));
    sky.setColorAt(1, QColor::fromHsv(int(random() % 360), 200, 90));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        p.setBrush(QColor::fromHsv(int(random() % 360), int(random() % 256), int(random() % 256),
                                   100 + int(random() % 156)));
        const int w = 1 + int(random() % unsigned(width / 3 + 1));
        const int h = 1 + int(random() % unsigned(height / 3 + 1));
        p.drawEllipse(int(random() % unsigned(width)), int(random() % unsigned(height)), w, h);
    }
    p.end();
    // Noise as a camera sensor leaves it: what makes photos expensive to decode.
    std::uniform_int_distribution<int> noise(-12, 12);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = noise(random);
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                           std::clamp(qBlue(c) + n, 0, 255));
        }
    }
    return image;
}

bool save(const QImage &image, const QString &path, bool progressive)
{
    QImageWriter writer(path);
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    if (writer.write(image))
        return true;
    std::fprintf(stderr, "make_corpus: %s: %s\n", qUtf8Printable(path),
                 qUtf8Printable(writer.errorString()));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: make_corpus photos|jpegs|mixed|pngs|huge DIR\n");
        return 2;
    }
    const QString set = args[1];
    QDir dir(args[2]);
    if (!dir.mkpath(u"."_s))
        return 1;
    auto name = [&](int i, const char *ext) {
        return dir.filePath(u"frame%1.%2"_s.arg(i, 4, 10, QChar(u'0')).arg(QLatin1StringView(ext)));
    };
    if (set == u"photos") {
        for (int i = 0; i < 36; ++i)
            if (!save(photo(3000, 2000, 1000u + unsigned(i)), name(i, "jpg"), false))
                return 1;
    } else if (set == u"jpegs") {
        for (int i = 0; i < 1000; ++i)
            if (!save(photo(640, 480, 2000u + unsigned(i)), name(i, "jpg"), false))
                return 1;
    } else if (set == u"mixed") {
        std::mt19937 random(3000);
        for (int i = 0; i < 60; ++i) {
            const int w = 200 + int(random() % 1721), h = 150 + int(random() % 931);
            const QImage image = photo(w, h, 3000u + unsigned(i));
            bool ok = true;
            switch (i % 4) {
            case 0:
                ok = save(image, name(i, "jpg"), false);
                break;
            case 1:
                ok = save(image, name(i, "jpg"), true);
                break;
            case 2:
                ok = image.save(name(i, "bmp"), "BMP");
                break;
            case 3:
                ok = image.save(name(i, "gif.bmp"), "BMP");
                break; // the runner makes a GIF
            }
            if (!ok)
                return 1;
        }
    } else if (set == u"pngs") {
        // Screenshots and renders come as PNG: full-HD pictures, decoded whole.
        for (int i = 0; i < 200; ++i)
            if (!photo(1920, 1080, 5000u + unsigned(i)).save(name(i, "png"), "PNG"))
                return 1;
    } else if (set == u"huge") {
        // 10,000 frames: a few hundred distinct small JPEGs, linked many times.
        for (int i = 0; i < 10000; ++i) {
            const QString first = name(i % 100, "jpg");
            if (i < 100 && !save(photo(640, 480, 4000u + unsigned(i)), first, false))
                return 1;
            if (i >= 100 && !QFile::link(QFileInfo(first).fileName(), name(i, "jpg")))
                return 1;
        }
    } else {
        std::fprintf(stderr, "make_corpus: unknown set %s\n", qUtf8Printable(set));
        return 2;
    }
    return 0;
}
