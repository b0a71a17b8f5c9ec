// SPDX-License-Identifier: GPL-3.0-or-later
#include "crop.h"

#include "decode.h"
#include "engine/limits.h"
#include "pool.h"

#include <QCoreApplication>
#include <QImage>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace engine {

namespace {

// The object is looked for in pictures decoded this long on their longer side: JPEG's smallest
// DCT scale of a 3000-pixel photo still covers it, so the search decodes an eighth per side.
constexpr int kSearchSide = 320;
// The background is read from a band this share of the shorter side wide (at least 2 pixels).
constexpr int kBorderShare = 40;
// The search decodes each picture as its frame would need it for a box of this share of the
// picture's sides, centred: a turntable's object usually takes about that much, so the frames
// can mostly be cut from the search's decodes instead of decoding twice. Covered or stretched,
// as most frames are; a contained frame may need a smaller decode, and then decodes again.
constexpr int kGuessPercent = 60;
// A pixel this close to the background on every channel is background: the noise of a plain
// backdrop, and the gentle gradient of a lit one, stay under it.
constexpr int kMinTolerance = 24;
constexpr int kMaxTolerance = 64;
// A shadow is the background's colour at most this much darker.
constexpr double kShadowDepth = 0.2;

struct Background
{
    std::array<int, 3> colour {};
    int tolerance = kMinTolerance;
};

std::array<int, 3> channels(QRgb pixel)
{
    return { qRed(pixel), qGreen(pixel), qBlue(pixel) };
}

int distance(const std::array<int, 3> &a, const std::array<int, 3> &b)
{
    return std::max({ std::abs(a[0] - b[0]), std::abs(a[1] - b[1]), std::abs(a[2] - b[2]) });
}

// The median colour of the border, channel by channel, and a tolerance from how far the
// border's pixels stray from it, so a noisier backdrop is allowed more.
Background backgroundOf(const QImage &image)
{
    const int band = std::max(2, std::min(image.width(), image.height()) / kBorderShare);
    std::vector<QRgb> border;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        const bool edgeRow = y < band || y >= image.height() - band;
        for (int x = 0; x < image.width(); ++x)
            if (edgeRow || x < band || x >= image.width() - band)
                border.push_back(line[x]);
    }
    const std::size_t middle = border.size() / 2;
    const auto median = [&](std::vector<int> &values) {
        std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(middle), values.end());
        return values[middle];
    };
    Background background;
    std::vector<int> values(border.size());
    for (std::size_t c = 0; c < 3; ++c) {
        std::transform(border.cbegin(), border.cend(), values.begin(),
                       [&](QRgb pixel) { return channels(pixel)[c]; });
        background.colour[c] = median(values);
    }
    std::transform(border.cbegin(), border.cend(), values.begin(),
                   [&](QRgb pixel) { return distance(channels(pixel), background.colour); });
    background.tolerance = std::clamp(3 * median(values), kMinTolerance, kMaxTolerance);
    return background;
}

bool isBackground(QRgb pixel, const Background &background)
{
    const std::array<int, 3> colour = channels(pixel);
    if (distance(colour, background.colour) <= background.tolerance)
        return true;
    // A shadow: brought back to the background's brightness, it is the background.
    const int light = colour[0] + colour[1] + colour[2];
    const int backLight = background.colour[0] + background.colour[1] + background.colour[2];
    if (light >= backLight || light < (1.0 - kShadowDepth) * backLight || light == 0)
        return false;
    std::array<int, 3> lifted {};
    for (std::size_t c = 0; c < 3; ++c)
        lifted[c] = colour[c] * backLight / light;
    return distance(lifted, background.colour) <= background.tolerance;
}

// The box around what is not background in `image`, null when there is none. A pixel counts
// only with two neighbours that count too, so specks of noise do not stretch the box.
QRect objectBox(const QImage &image)
{
    const Background background = backgroundOf(image);
    const int width = image.width();
    const int height = image.height();
    std::vector<char> object(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x)
            object[std::size_t(y) * std::size_t(width) + std::size_t(x)]
                = isBackground(line[x], background) ? 0 : 1;
    }
    const auto at = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < height
            && object[std::size_t(y) * std::size_t(width) + std::size_t(x)] != 0;
    };
    QRect box;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!at(x, y))
                continue;
            int neighbours = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    neighbours += (dx != 0 || dy != 0) && at(x + dx, y + dy) ? 1 : 0;
            if (neighbours >= 2)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// `box` of a picture of `from` pixels grown outwards to whole pixels of one of `to`.
QRect enclosingBox(QRect box, QSize from, QSize to)
{
    const auto down
        = [](qint64 at, int fromSide, int toSide) { return int(at * toSide / fromSide); };
    const auto up = [](qint64 at, int fromSide, int toSide) {
        return int((at * toSide + fromSide - 1) / fromSide);
    };
    const int left = down(box.x(), from.width(), to.width());
    const int top = down(box.y(), from.height(), to.height());
    const int right = up(qint64(box.x()) + box.width(), from.width(), to.width());
    const int bottom = up(qint64(box.y()) + box.height(), from.height(), to.height());
    return { left, top, right - left, bottom - top };
}

// `found` (the objects of every picture) as one box: symmetric about the picture's vertical
// centre line, grown by `margin` of itself on each side, then to the aspect of `frame` when it
// has one, all within `picture`.
QRect turnBox(QRect found, QSize picture, double margin, QSize frame)
{
    const int pictureWidth = picture.width();
    const int pictureHeight = picture.height();
    int inset = std::min(found.x(), pictureWidth - found.x() - found.width());
    int top = found.y();
    int bottom = found.y() + found.height();
    const int padX = int(std::ceil(margin * (pictureWidth - 2 * inset)));
    const int padY = int(std::ceil(margin * (bottom - top)));
    inset = std::max(0, inset - padX);
    top = std::max(0, top - padY);
    bottom = std::min(pictureHeight, bottom + padY);
    if (!frame.isEmpty()) {
        const qint64 width = pictureWidth - 2 * inset;
        const qint64 height = bottom - top;
        if (width * frame.height() < height * frame.width()) {
            const qint64 wanted = (height * frame.width() + frame.height() - 1) / frame.height();
            inset = int(std::max<qint64>(0, (pictureWidth - wanted) / 2));
        } else if (width * frame.height() > height * frame.width()) {
            const qint64 wanted = std::min<qint64>(
                (width * frame.height() + frame.width() - 1) / frame.width(), pictureHeight);
            const qint64 start = (qint64(top) + bottom - wanted) / 2;
            top = int(std::clamp<qint64>(start, 0, pictureHeight - wanted));
            bottom = int(top + wanted);
        }
    }
    return { inset, top, pictureWidth - 2 * inset, bottom - top };
}

QString located(const QString &file, const QString &reason)
{
    return QStringLiteral("%1: %2").arg(file, reason);
}

} // namespace

QString cropOutside(QRect box, QSize picture)
{
    return QCoreApplication::translate("engine",
                                       "the crop box %1,%2,%3,%4 is not inside the %5 × %6 picture")
        .arg(box.x())
        .arg(box.y())
        .arg(box.width())
        .arg(box.height())
        .arg(picture.width())
        .arg(picture.height());
}

bool resolveCrop(const QStringList &files, const CropRequest &request, QSize frame, int jobs,
                 QRect *box, QString *error, KeptDecodes *kept)
{
    *box = QRect();
    if (request.kind == CropRequest::Kind::Whole)
        return true;
    QSize first;
    for (const QString &file : files) {
        QString reason;
        const QSize size = probeUpright(file, &reason);
        if (!size.isValid()) {
            *error = located(file, reason);
            return false;
        }
        if (request.kind == CropRequest::Kind::Box
            && (request.box.isEmpty() || !QRect(QPoint(), size).contains(request.box))) {
            *error = located(file, cropOutside(request.box, size));
            return false;
        }
        if (request.kind == CropRequest::Kind::Auto && first.isValid() && size != first) {
            *error = located(file,
                             QCoreApplication::translate(
                                 "engine",
                                 "%1 × %2 pixels, the first picture %3 × %4: an automatic crop "
                                 "needs pictures of one size")
                                 .arg(size.width())
                                 .arg(size.height())
                                 .arg(first.width())
                                 .arg(first.height()));
            return false;
        }
        if (!first.isValid())
            first = size;
    }
    if (request.kind == CropRequest::Kind::Box) {
        *box = request.box;
        return true;
    }
    if (files.isEmpty())
        return true;
    const QSize search = first.width() <= kSearchSide && first.height() <= kSearchSide
        ? first
        : first.scaled(kSearchSide, kSearchSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    // A decode over its share of the keeping budget (or with a side of the frame still to be
    // found) is made small for the search alone, as it would be without keeping: the box found
    // never depends on whether the decodes are kept.
    const QSize guessSize = first * kGuessPercent / 100;
    const QRect guess(
        QPoint((first.width() - guessSize.width()) / 2, (first.height() - guessSize.height()) / 2),
        guessSize.expandedTo(QSize(1, 1)));
    const qint64 share = frame.isEmpty() ? 0 : kCropKeepBytes / files.size();
    std::vector<QRect> found(std::size_t(files.size()));
    std::vector<UprightDecode> decodes(kept ? std::size_t(files.size()) : 0);
    const bool decoded = runJobs(
        int(files.size()), jobs,
        [&](int index, QString *reason) {
            const QString &file = files.at(index);
            UprightDecode decode
                = decodeUpright(file, guess, frame, Fit::Cover, reason, share, search);
            if (decode.image.isNull()) {
                *reason = located(file, *reason);
                return false;
            }
            const QImage small = fitToFrame(decode.image, search, {});
            found[std::size_t(index)] = objectBox(small.convertToFormat(QImage::Format_RGB32));
            if (kept && decode.eighths != 0)
                decodes[std::size_t(index)] = std::move(decode);
            return true;
        },
        error);
    if (!decoded)
        return false;
    QRect objects;
    for (const QRect &one : found)
        if (!one.isNull())
            objects |= enclosingBox(one, search, first);
    // Nothing but background anywhere: the whole picture, as without a crop.
    if (objects.isNull())
        return true;
    *box = turnBox(objects, first, request.margin, frame);
    for (std::size_t i = 0; i < decodes.size(); ++i)
        if (!decodes[i].image.isNull())
            kept->insert(files.at(qsizetype(i)), decodes[i]);
    return true;
}

} // namespace engine
