// SPDX-License-Identifier: GPL-3.0-or-later
// One crop box for a whole turn: found around the object on a synthetic turntable, given by
// hand, and cut from every picture before the fit.

#include "engine/crop.h"
#include "engine/decode.h"

#include "pictures.h"
#include "tagged_pictures.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A slightly noisy grey backdrop with a shadow under a dark object at `object`.
QImage turntablePicture(QRect object, quint32 seed)
{
    QImage image(300, 200, QImage::Format_RGB32);
    QRandomGenerator noise(seed);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 200 + noise.bounded(-6, 7);
            image.setPixel(x, y, qRgb(grey, grey, grey + 4));
        }
    QPainter painter(&image);
    painter.fillRect(object.adjusted(-6, object.height() - 4, 6, 6), QColor(170, 170, 173));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(120, 30, 20));
    painter.drawEllipse(object);
    return image;
}

TEST(Crop, autoBoxCoversTheObjectInEveryPictureSymmetricAndShapedLikeTheFrame)
{
    QTemporaryDir dir;
    // The object wanders right of the axis and up and down as the turntable turns.
    const QList<QRect> objects { QRect(140, 60, 40, 80), QRect(160, 50, 60, 90),
                                 QRect(150, 70, 30, 70), QRect(130, 40, 50, 100) };
    QStringList files;
    for (int i = 0; i < objects.size(); ++i) {
        const QImage upright = turntablePicture(objects[i], quint32(i));
        const QString path = dir.filePath(u"%1.jpg"_s.arg(i));
        // One from a phone: stored portrait, turned by its tag.
        ASSERT_TRUE(
            i == 2 ? pictures::writeBytes(path,
                                          pictures::jpegWithExif(pictures::storedFor(upright, 6),
                                                                 pictures::exifOrientationBlock(6)))
                   : pictures::write(upright, path, i == 1 ? "BMP" : "JPG"));
        files.append(path);
    }
    const std::tuple<QSize, double> rows[] { { QSize(160, 100), 0.05 },
                                             { QSize(100, 100), 0.1 },
                                             { QSize(100, 0), 0.0 } };
    for (const auto &[frame, margin] : rows) {
        QRect box;
        QString error;
        engine::KeptDecodes kept;
        ASSERT_TRUE(engine::resolveCrop(files, { engine::CropRequest::Kind::Auto, {}, margin },
                                        frame, 2, &box, &error, &kept))
            << qPrintable(error);
        // A frame cut from a kept decode is the one decoded afresh, or none is cut.
        int cut = 0;
        for (const engine::Fit fit :
             { engine::Fit::Stretch, engine::Fit::Cover, engine::Fit::Contain })
            for (const QSize size : { frame, frame / 2 })
                for (auto one = kept.cbegin(); !frame.isEmpty() && one != kept.cend(); ++one) {
                    const engine::FrameOptions options { fit, qRgb(0, 0, 255), box };
                    const QImage fromKept = engine::frameFromUpright(*one, size, options, &error);
                    cut += fromKept.isNull() ? 0 : 1;
                    EXPECT_TRUE(fromKept.isNull()
                                || fromKept
                                    == engine::decodeFrame(one.key(), size, &error, options))
                        << qPrintable(one.key()) << " " << size.width();
                }
        EXPECT_EQ(kept.size(), frame.isEmpty() ? 0 : files.size());
        EXPECT_GE(cut, frame.isEmpty() ? 0 : files.size()) << frame.width();
        for (const QRect &object : objects)
            EXPECT_TRUE(box.contains(object)) << frame.width() << " " << object.x();
        EXPECT_EQ(box.left(), 300 - 1 - box.right()) << frame.width();
        EXPECT_TRUE(QRect(0, 0, 300, 200).contains(box)) << frame.width();
        // Not the whole picture: the backdrop and the shadow are left out.
        EXPECT_LT(box.width() * box.height(), 300 * 200 / 2) << frame.width();
        if (!frame.isEmpty()) {
            EXPECT_NEAR(double(box.width()) / box.height(), double(frame.width()) / frame.height(),
                        0.03);
        }
    }
    // Nothing but backdrop: the whole picture.
    const QString empty = dir.filePath(u"empty.bmp"_s);
    ASSERT_TRUE(pictures::write(turntablePicture({}, 9), empty, "BMP"));
    QRect box(1, 1, 1, 1);
    QString error;
    EXPECT_TRUE(engine::resolveCrop({ empty }, { engine::CropRequest::Kind::Auto, {}, 0 },
                                    QSize(9, 9), 1, &box, &error));
    EXPECT_TRUE(box.isNull());
}

TEST(Crop, boxIsCutFromTheUprightPictureThenFitted)
{
    QTemporaryDir dir;
    const QImage upright = pictures::pattern(61, 41, 3);
    const QString bmp = dir.filePath(u"p.bmp"_s);
    ASSERT_TRUE(pictures::write(upright, bmp, "BMP"));
    const QString turned = dir.filePath(u"t.jpg"_s);
    ASSERT_TRUE(
        pictures::writeBytes(turned,
                             pictures::jpegWithExif(pictures::storedFor(upright, 8),
                                                    pictures::exifOrientationBlock(8), 100)));
    const std::tuple<QRect, QSize, engine::Fit> rows[] {
        { QRect(10, 5, 31, 21), QSize(31, 21), engine::Fit::Stretch },
        { QRect(0, 0, 61, 41), QSize(30, 30), engine::Fit::Cover },
        { QRect(20, 10, 9, 27), QSize(17, 11), engine::Fit::Contain },
        { QRect(3, 1, 40, 20), QSize(7, 13), engine::Fit::Cover },
    };
    for (const auto &[crop, frame, fit] : rows) {
        const engine::FrameOptions options { fit, qRgb(0, 0, 255), crop };
        const QImage expected = engine::fitToFrame(upright.copy(crop), frame, options);
        QString reason;
        EXPECT_EQ(engine::decodeFrame(bmp, frame, &reason, options), expected) << crop.x();
        const QImage fromJpeg = engine::decodeFrame(turned, frame, &reason, options);
        ASSERT_EQ(fromJpeg.size(), frame) << qPrintable(reason);
        qint64 off = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                off += std::abs(qGreen(fromJpeg.pixel(x, y)) - qGreen(expected.pixel(x, y)));
        EXPECT_LT(off / (frame.width() * frame.height()), 12) << crop.x();
    }
}

TEST(Crop, refusalsNameTheFileAndTheReason)
{
    QTemporaryDir dir;
    const QString wide = dir.filePath(u"wide.bmp"_s), tall = dir.filePath(u"tall.bmp"_s);
    ASSERT_TRUE(pictures::write(pictures::solid(40, 30, Qt::red), wide, "BMP"));
    ASSERT_TRUE(pictures::write(pictures::solid(30, 40, Qt::red), tall, "BMP"));
    using Kind = engine::CropRequest::Kind;
    const std::tuple<engine::CropRequest, QString> rows[] {
        { { Kind::Auto, {}, 0 }, tall + u": 30 × 40"_s },
        { { Kind::Box, QRect(0, 0, 40, 30), 0 }, tall + u": el recorte"_s },
        { { Kind::Box, QRect(35, 0, 6, 5), 0 }, wide + u": el recorte"_s },
    };
    for (const auto &[request, starts] : rows) {
        QRect box;
        QString error;
        EXPECT_FALSE(engine::resolveCrop({ wide, tall }, request, QSize(9, 9), 1, &box, &error));
        EXPECT_TRUE(error.startsWith(starts)) << qPrintable(error);
    }
    QString reason;
    EXPECT_TRUE(
        engine::decodeFrame(wide, QSize(9, 9), &reason, { {}, {}, QRect(0, 0, 41, 1) }).isNull());
    EXPECT_FALSE(reason.isEmpty());
}

TEST(Crop, decodeSizeLetsTheBoxReachTheFrame)
{
    using engine::Fit;
    const std::tuple<QSize, QRect, QSize, Fit, QSize> rows[] {
        { QSize(3000, 2000), QRect(1000, 500, 1000, 1000), QSize(100, 100), Fit::Cover,
          QSize(300, 200) },
        { QSize(3000, 2000), QRect(1000, 500, 1000, 500), QSize(100, 100), Fit::Stretch,
          QSize(600, 400) },
        { QSize(3000, 2000), QRect(1000, 500, 1000, 500), QSize(100, 100), Fit::Contain,
          QSize(300, 200) },
        { QSize(300, 200), QRect(0, 0, 10, 10), QSize(100, 100), Fit::Cover, QSize(300, 200) },
    };
    for (const auto &[picture, box, frame, fit, size] : rows)
        EXPECT_EQ(engine::cropDecodeSize(picture, box, frame, fit), size) << box.height();
}

} // namespace
