// SPDX-License-Identifier: GPL-3.0-or-later
#include "fit.h"

#include "stretch.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>

namespace engine {

namespace {

// a × b / c rounded to the nearest integer (halves up), at least 1; 64-bit so 32767-pixel
// sides do not overflow.
int scaledSide(qint64 a, qint64 b, qint64 c)
{
    return int(std::max<qint64>((2 * a * b + c) / (2 * c), 1));
}

// Whether `picture` is wider, for its height, than `frame`.
bool widerThan(QSize picture, QSize frame)
{
    return qint64(picture.width()) * frame.height() > qint64(picture.height()) * frame.width();
}

} // namespace

QRect coverSource(QSize picture, QSize frame)
{
    QSize kept = picture;
    if (widerThan(picture, frame))
        kept.setWidth(
            std::min(scaledSide(picture.height(), frame.width(), frame.height()), picture.width()));
    else
        kept.setHeight(
            std::min(scaledSide(picture.width(), frame.height(), frame.width()), picture.height()));
    return { QPoint((picture.width() - kept.width()) / 2, (picture.height() - kept.height()) / 2),
             kept };
}

QRect containTarget(QSize picture, QSize frame)
{
    QSize filled = frame;
    if (widerThan(picture, frame))
        filled.setHeight(
            std::min(scaledSide(frame.width(), picture.height(), picture.width()), frame.height()));
    else
        filled.setWidth(
            std::min(scaledSide(frame.height(), picture.width(), picture.height()), frame.width()));
    return { QPoint((frame.width() - filled.width()) / 2, (frame.height() - filled.height()) / 2),
             filled };
}

QSize decodeTarget(QSize picture, QSize frame, Fit fit)
{
    // Cover keeps a part at least the frame's size of any decode that covers the frame.
    return fit == Fit::Contain ? containTarget(picture, frame).size() : frame;
}

QSize cropDecodeSize(QSize picture, QRect box, QSize frame, Fit fit)
{
    const QSize kept = decodeTarget(box.size(), frame, fit);
    // The larger of the two scales the box needs, as the fraction kept / side.
    const bool byWidth = qint64(kept.width()) * box.height() >= qint64(kept.height()) * box.width();
    const qint64 num = byWidth ? kept.width() : kept.height();
    const qint64 den = std::max(byWidth ? box.width() : box.height(), 1);
    const auto side = [&](int whole) {
        return int(std::clamp<qint64>((whole * num + den - 1) / den, 1, whole));
    };
    return { side(picture.width()), side(picture.height()) };
}

QRect scaledBox(QRect box, QSize from, QSize to)
{
    const auto edge = [](qint64 at, int fromSide, int toSide) {
        return int((2 * at * toSide + fromSide) / (2 * qint64(fromSide)));
    };
    const int left = std::min(edge(box.x(), from.width(), to.width()), to.width() - 1);
    const int top = std::min(edge(box.y(), from.height(), to.height()), to.height() - 1);
    const int right = std::clamp(edge(qint64(box.x()) + box.width(), from.width(), to.width()),
                                 left + 1, to.width());
    const int bottom = std::clamp(edge(qint64(box.y()) + box.height(), from.height(), to.height()),
                                  top + 1, to.height());
    return { QPoint(left, top), QPoint(right - 1, bottom - 1) };
}

QImage fitToFrame(const QImage &image, QSize frame, const FrameOptions &options)
{
    switch (options.fit) {
    case Fit::Stretch:
        break;
    case Fit::Cover: {
        const QRect source = coverSource(image.size(), frame);
        return stretch(source.size() == image.size() ? image : image.copy(source), frame);
    }
    case Fit::Contain: {
        const QRect target = containTarget(image.size(), frame);
        const QImage fitted = stretch(image, target.size());
        QImage canvas(frame, QImage::Format_RGB32);
        if (fitted.isNull() || canvas.isNull())
            return {};
        canvas.fill(QColor::fromRgb(options.background));
        // Transparent pixels show the background, as the margins do.
        QPainter painter(&canvas);
        painter.drawImage(target.topLeft(), fitted);
        return canvas;
    }
    }
    return stretch(image, frame);
}

QImage frameOf(const QImage &upright, QSize seen, QSize frame, const FrameOptions &options,
               QString *reason)
{
    QImage fitted = fitToFrame(options.crop.isNull()
                                   ? upright
                                   : upright.copy(scaledBox(options.crop, seen, upright.size())),
                               frame, options);
    if (fitted.isNull())
        *reason
            = QCoreApplication::translate("engine", "out of memory for a frame of %1 × %2 pixels")
                  .arg(frame.width())
                  .arg(frame.height());
    return fitted;
}

} // namespace engine
