// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test pictures made on the fly: solid or patterned images written as BMP, JPEG or GIF.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace pictures {

// A `width` x `height` image filled with `color`.
QImage solid(int width, int height, const QColor &color);

// A `width` x `height` picture with gradients, a checkerboard and an ellipse whose colour
// follows `seed`, so a stretch, a shift or a swapped frame shows.
QImage pattern(int width, int height, int seed);

// A 5 x 3 picture (odd width, so every BMP row needs padding) of `colours` in diagonal stripes.
QImage stripes(const QList<QRgb> &colours);

// A `width` x `height` picture with detail in every pixel, so most of a JPEG of it is scan data.
QImage detailed(int width, int height);

// A `width` x `height` picture of noise from `seed`, which no format compresses.
QImage noise(int width, int height, quint32 seed);

// Writes `image` to `path` as "BMP" or "JPG" (Qt's writers) or "GIF" (our own small encoder:
// Qt has no GIF writer). `transparent`, for GIF only, makes that colour see-through.
bool write(const QImage &image, const QString &path, const char *format,
           const QColor &transparent = QColor());

struct GifOptions
{
    QColor transparent; // this colour becomes see-through, when valid
    bool interlaced = false; // rows stored in the four interlace passes
};

// A GIF of `frames` (more than one makes it animated), all with one global colour table.
QByteArray gif(const QList<QImage> &frames, const GifOptions &options = {});

// `image` encoded in memory by Qt's writer for `format` (progressive, for JPEG, when asked);
// `quality` -1 is Qt's default. A picture Qt cannot write fails the test.
QByteArray encoded(const QImage &image, const char *format, int quality = -1,
                   bool progressive = false);

// Writes `bytes` to `path` as they are.
bool writeBytes(const QString &path, const QByteArray &bytes);

// Writes `image` to `path` as a progressive JPEG; `quality` -1 is Qt's default.
bool writeProgressiveJpeg(const QImage &image, const QString &path, int quality = -1);

// Pictures written one by one into a folder, their paths kept in that order. A file that
// cannot be written fails the test, named.
class Folder
{
public:
    explicit Folder(QString path) : m_path(std::move(path)) { }
    // Writes `image` as `name` with write().
    void add(const QString &name, const QImage &image, const char *format,
             const QColor &transparent = QColor());
    void addProgressiveJpeg(const QString &name, const QImage &image, int quality = -1);
    void addBytes(const QString &name, const QByteArray &bytes);
    // A file that is there already.
    void addExisting(const QString &path) { m_paths.append(path); }
    const QStringList &paths() const { return m_paths; }

private:
    void added(const QString &name, bool written);

    QString m_path;
    QStringList m_paths;
};

} // namespace pictures
