// SPDX-License-Identifier: GPL-3.0-or-later
// The BMP writer round trip: any strip size (up to 256 x 256) and pixels, written whole or in
// bands in any order, must read back with exactly the same pixels.

#include "fuzz_support.h"

#include "engine/bmp.h"
#include "engine/strip_writer.h"

#include <QImageReader>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 6)
        return 0;
    const int width = 1 + (data[0] | data[1] << 8) % 256;
    const int height = 1 + (data[2] | data[3] << 8) % 256;
    const bool packed = data[4] & 1; // 3 bytes a pixel, or 4
    const bool banded = data[4] & 2;
    const int split = height == 1 ? 1 : 1 + data[5] % (height - 1);
    const uint8_t *pixels = data + 6;
    const size_t count = size - 6;

    QImage image(width, height, packed ? QImage::Format_RGB888 : QImage::Format_RGB32);
    size_t at = 0;
    auto next = [&] { return count == 0 ? uint8_t(0) : pixels[at++ % count]; };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t r = next(), g = next(), b = next();
            image.setPixel(x, y, qRgb(r, g, b));
        }

    static const QString path = fuzz::folder().filePath(QStringLiteral("strip.bmp"));
    QString reason;
    bool ok = false;
    if (banded) {
        // The lower band first, as a writer filling frames out of order would.
        engine::BmpWriter writer;
        ok = writer.open(path, image.size(), &reason)
            && writer.writeRows(split, image.copy(0, split, width, height - split), &reason)
            && writer.writeRows(0, image.copy(0, 0, width, split), &reason)
            && writer.commit(&reason);
    } else {
        ok = engine::saveStrip(image, path, engine::StripFormat::Bmp, &reason);
    }
    if (!ok)
        std::abort();

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)
        || file.size() != engine::kBmpHeaderBytes + engine::bmpRowStride(width) * height)
        std::abort();
    QImageReader reader(&file, "bmp");
    const QImage back = reader.read();
    if (back.size() != image.size())
        std::abort();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((back.pixel(x, y) & 0xffffff) != (image.pixel(x, y) & 0xffffff))
                std::abort();
    return 0;
}
