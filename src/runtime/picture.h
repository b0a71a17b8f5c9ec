// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A loaded picture: either decoded pixels, or a checked file that is decoded only when it is
// drawn, straight at the size it is drawn at (so a large photo is never held at full size).

#include "engine/fit.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace runtime {

class Picture
{
public:
    Picture() = default;
    explicit Picture(QImage image);

    bool isNull() const { return m_size.isEmpty(); }
    // The picture's own size in pixels.
    QSize size() const { return m_size; }
    const QString &path() const { return m_path; }

    // The whole picture stretched to exactly `size` pixels (alpha kept where it has any).
    // Throws RuntimeError 481 naming the file when its pixels cannot be decoded.
    QImage stretched(QSize size) const;
    // Gives the picture its pixels already stretched to `frame.size()`, decoded ahead from the
    // same file: drawing it at that size then costs no decode. A null frame changes nothing.
    void setStretched(QImage frame) { m_stretched = std::move(frame); }
    // How stretched() fits the picture to the size it is drawn at; stretched whole by default.
    void setFrameOptions(const engine::FrameOptions &options) { m_options = options; }

private:
    friend Picture LoadPicture(const QString &path);

    QString m_path;
    QImage m_image;
    QImage m_stretched;
    QSize m_size;
    engine::FrameOptions m_options;
};

// Checks that `path` names a readable BMP, JPEG, GIF, PNG, WebP or TIFF picture and reads its
// size. Throws
// RuntimeError 53 when there is no such file, 75 when it cannot be read (a folder, a device,
// no permission) and 481 when it is not a picture of those kinds, each naming the file.
Picture LoadPicture(const QString &path);

// Writes `image` to `path` in the format its extension asks for (.png, .jpg/.jpeg, .webp;
// anything else the uncompressed 24-bit BMP), replacing any file of that name only once the new
// one is complete. Throws RuntimeError 75 naming the path and the reason when the file cannot be
// written or the format cannot hold the picture; the file that was there is then left as it was.
void SavePicture(const QImage &image, const QString &path);

} // namespace runtime
