// SPDX-License-Identifier: GPL-3.0-or-later
#include "fit.h"

#include "stretch.h"

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

} // namespace engine
