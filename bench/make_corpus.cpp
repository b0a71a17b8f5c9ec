// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the benchmark corpus, the same bytes on every run: photo-like pictures (gradients,
// shapes and sensor-like noise from a fixed seed) as JPEG, progressive JPEG and BMP.
// Usage: make_corpus SET DIR   with SET one of photos, turntable, jpegs, mixed, pngs,
// huge.
// GIFs of the mixed set are converted from BMPs by the runner (Qt writes no GIF).

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <cmath>
#include <cstdio>
#include <random>

using namespace Qt::StringLiterals;

namespace {

// Noise of up to ±amplitude on every channel, as a camera sensor leaves it.
void addNoise(QImage &image, int amplitude, std::mt19937 &random)
{
    std::uniform_int_distribution<int> noise(-amplitude, amplitude);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = noise(random);
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                           std::clamp(qBlue(c) + n, 0, 255));
        }
    }
}

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
    addNoise(image, 12, random);
    return image;
}

// One shot of a turntable turning a vase that stands off its axis, on a plain lit backdrop with
// sensor noise and a soft shadow: the object swings left and right of the centre line.
QImage turntable(int width, int height, int shot, int shots, unsigned seed)
{
    std::mt19937 random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient backdrop(0, 0, 0, height);
    backdrop.setColorAt(0, QColor(236, 236, 232));
    backdrop.setColorAt(1, QColor(222, 222, 218));
    p.fillRect(image.rect(), backdrop);
    const double angle = 2 * M_PI * shot / shots;
    const int cx = width / 2 + int(width * 0.06 * std::sin(angle));
    const int base = height * 3 / 4 + int(height * 0.03 * std::cos(angle));
    const int w = width / 6;
    const int h = height / 2;
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    QRadialGradient shadow(cx, base, w);
    shadow.setColorAt(0, QColor(0, 0, 0, 70));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(shadow);
    p.drawEllipse(QPoint(cx, base), w, w / 4);
    p.setBrush(QColor::fromHsv(int(shot * 360 / shots), 160, 150));
    p.drawEllipse(QRect(cx - w / 2, base - h * 2 / 3, w, h * 2 / 3));
    p.drawRect(QRect(cx - w / 6, base - h, w / 3, h / 2));
    p.setBrush(QColor(250, 250, 240));
    p.drawEllipse(QRect(cx - w / 3 + int(w / 4 * std::cos(angle)), base - h / 2, w / 6, h / 8));
    p.end();
    addNoise(image, 8, random);
    return image;
}

// A JPEG of `image` stored a quarter turn back, with the EXIF tag (6) that turns it upright,
// as a phone held upright writes it.
bool saveTurned(const QImage &image, const QString &path)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    if (!writer.write(image.transformed(QTransform().rotate(-90))))
        return false;
    // APP1: "Exif", a little-endian TIFF header and one IFD holding only the orientation.
    static const char exif[] = "\xFF\xE1\x00\x22"
                               "Exif\0\0II*\0\x08\0\0\0\x01\0"
                               "\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0";
    jpeg.insert(2, QByteArray(exif, sizeof exif - 1));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(jpeg) == jpeg.size();
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
        std::fprintf(stderr, "usage: make_corpus photos|turntable|jpegs|mixed|pngs|huge DIR\n");
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
    } else if (set == u"turntable") {
        // 36 shots of a turn; five were taken with the camera turned, as a phone would.
        for (int i = 0; i < 36; ++i) {
            const QImage shot = turntable(3000, 2000, i, 36, 6000u + unsigned(i));
            if (!(i % 7 == 3 ? saveTurned(shot, name(i, "jpg"))
                             : save(shot, name(i, "jpg"), false)))
                return 1;
        }
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
