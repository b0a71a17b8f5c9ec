// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the hostile-picture corpus that scripts/valgrind.sh feeds to framolin-strip under
// Valgrind's memcheck: pictures cut inside their pixels, with their pixels past the end,
// without alpha, and JPEG bombs. decoded/ holds what must decode, refused/ what must be refused
// (one run each: a refused picture stops the strip).
// Usage: make_hostile_corpus FOLDER CMYK_JPEG

#include "bmp_variants.h"
#include "jpeg_edits.h"
#include "pictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QtEndian>

#include <cstdio>

using namespace Qt::StringLiterals;
using pictures::BmpCompression;

namespace {

QByteArray cut(const QByteArray &bytes)
{
    return bytes.left(bytes.size() * 3 / 5);
}

// Cut halfway through the first scan's data, past every table it needs.
QByteArray cutJpeg(const QByteArray &bytes)
{
    const qsizetype scan = pictures::segment(bytes, 0xDA);
    const qsizetype data = scan + 2 + qFromBigEndian<quint16>(bytes.constData() + scan + 2);
    qsizetype end = data;
    while (end + 1 < bytes.size()
           && !(uchar(bytes[end]) == 0xFF && uchar(bytes[end + 1]) != 0
                && (uchar(bytes[end + 1]) & 0xF8) != 0xD0))
        ++end;
    return bytes.left(data + (end - data) / 2);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fputs("usage: make_hostile_corpus FOLDER CMYK_JPEG\n", stderr);
        return 2;
    }
    const QDir root(QFile::decodeName(argv[1]));
    QFile cmykFile(QFile::decodeName(argv[2]));
    if (!root.mkpath(u"decoded"_s) || !root.mkpath(u"refused"_s)
        || !cmykFile.open(QIODevice::ReadOnly)) {
        std::fputs("make_hostile_corpus: cannot write the corpus or read the CMYK JPEG\n", stderr);
        return 1;
    }
    const QByteArray cmyk = cmykFile.readAll();
    const QImage image = pictures::detailed(40, 30);
    QList<std::pair<QString, QByteArray>> decoded, refused;

    const struct
    {
        const char *name;
        pictures::BmpLayout layout;
    } layouts[] {
        { "palette1", { 1, BmpCompression::None, false } },
        { "palette4", { 4, BmpCompression::None, false } },
        { "palette8", { 8, BmpCompression::None, false } },
        { "palette8-top-down", { 8, BmpCompression::None, true } },
        { "rle4", { 4, BmpCompression::Rle4, false } },
        { "rle8", { 8, BmpCompression::Rle8, false } },
        { "rgb555", { 16, BmpCompression::None, false } },
        { "rgb565", { 16, BmpCompression::Bitfields, false } },
        { "rgb24", { 24, BmpCompression::None, false } },
        { "rgb24-top-down", { 24, BmpCompression::None, true } },
        { "rgb32", { 32, BmpCompression::None, false } },
        { "rgb32-masks", { 32, BmpCompression::Bitfields, false } },
    };
    for (const auto &[name, layout] : layouts) {
        // Palettes hold at most 2^bits colours: fewer colours for the small ones.
        const QImage source = layout.bitsPerPixel == 1 ? image.convertToFormat(QImage::Format_Mono)
            : layout.bitsPerPixel <= 8
            ? image.convertToFormat(QImage::Format_Indexed8,
                                    { qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0),
                                      qRgb(0, 0, 255), qRgb(255, 255, 255) })
            : image;
        const QByteArray bmp = pictures::bmp(source.convertToFormat(QImage::Format_RGB32), layout);
        decoded.append({ u"cut-%1.bmp"_s.arg(QLatin1StringView(name)), cut(bmp) });
        QByteArray pastTheEnd = bmp;
        qToLittleEndian(quint32(bmp.size() + 4096), pastTheEnd.data() + 10);
        decoded.append(
            { u"pixels-past-the-end-%1.bmp"_s.arg(QLatin1StringView(name)), pastTheEnd });
    }
    decoded.append({ u"zero-alpha.bmp"_s, pictures::bmpWithAlpha(image, 0) });
    decoded.append({ u"cut-zero-alpha.bmp"_s, cut(pictures::bmpWithAlpha(image, 0)) });
    const QByteArray baseline = pictures::encoded(image, "jpeg", 90);
    const QByteArray progressive = pictures::encoded(image, "jpeg", 90, true);
    decoded.append({ u"cut-baseline.jpg"_s, cutJpeg(baseline) });
    decoded.append({ u"cut-progressive.jpg"_s, cutJpeg(progressive) });
    decoded.append({ u"cut-cmyk.jpg"_s, cutJpeg(cmyk) });
    decoded.append({ u"one-component-scan.jpg"_s, pictures::firstComponentOnly(baseline) });
    decoded.append({ u"many-comments.jpg"_s, pictures::withComments(progressive, 3000) });
    decoded.append({ u"cut-plain.gif"_s, cut(pictures::gif({ image })) });
    decoded.append({ u"cut-interlaced.gif"_s, cut(pictures::gif({ image }, { QColor(), true })) });

    refused.append({ u"bomb-one-component-scan.jpg"_s,
                     pictures::claimSize(pictures::firstComponentOnly(baseline), 16384, 16384) });
    refused.append(
        { u"bomb-extended.jpg"_s,
          pictures::claimSize(pictures::frameKind(pictures::firstComponentOnly(baseline), 0xC1),
                              16384, 16384) });
    refused.append({ u"bomb-cmyk.jpg"_s,
                     pictures::claimSize(pictures::firstComponentOnly(cmyk), 16384, 16384) });
    refused.append(
        { u"bomb-progressive-after-comments.jpg"_s,
          pictures::claimSize(pictures::withComments(progressive, 1000), 16384, 16384) });
    refused.append({ u"header-only.jpg"_s, baseline.left(20) });

    for (const auto &[folder, files] :
         { std::pair { u"decoded"_s, decoded }, { u"refused"_s, refused } })
        for (const auto &[name, bytes] : files)
            if (!pictures::writeBytes(root.filePath(folder + u'/' + name), bytes))
                return 1;
    return 0;
}
