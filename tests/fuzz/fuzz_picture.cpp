// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a picture file, through the path the assembly takes: load (header checks),
// stretch to a frame, place the frame in a strip row.

#include "fuzz_support.h"

#include "engine/compose.h"
#include "engine/decode.h"
#include "runtime/error.h"
#include "runtime/picture.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = fuzz::folder().filePath(QStringLiteral("picture"));
    if (!fuzz::writeFile(path, data, size))
        std::abort();
    // The frame size follows the input's length so that shrinking and growing both occur.
    const QSize frame(1 + int(size % 97), 1 + int(size / 97 % 61));
    QImage strip(frame.width(), frame.height() * 2, QImage::Format_RGB888);
    strip.fill(Qt::black);
    try {
        const runtime::Picture picture = runtime::LoadPicture(path);
        const QImage stretched = picture.stretched(frame);
        if (stretched.size() != frame)
            std::abort(); // a decoded picture must always come out exactly frame-sized
        engine::place(strip, stretched, QPoint(0, frame.height()));
    } catch (const runtime::RuntimeError &) {
        // Refused with a reason: the sound outcome for most inputs.
    }
    // The engine alone, as the command-line builder calls it.
    QString reason;
    const QImage direct = engine::decodeFrame(path, frame, &reason);
    if (direct.isNull() == reason.isEmpty())
        std::abort(); // a failure always has a reason, and only a failure
    if (!direct.isNull())
        engine::place(strip, direct, QPoint(frame.width() / 2, frame.height() / 2));
    return 0;
}
