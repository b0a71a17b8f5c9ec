// SPDX-License-Identifier: GPL-3.0-or-later
#include "expected_picture.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdlib>
#include <iostream>

using namespace Qt::StringLiterals;

namespace expected {

namespace {

bool updating()
{
    const QByteArray flag = qgetenv("FRAMOLIN_UPDATE_PICTURES");
    return !flag.isEmpty() && flag != "0";
}

// A file name for this test's leftovers: parameterised tests have slashes in their names.
QString leftoverName(const QString &expectedPath)
{
    QString test = u"picture"_s;
    if (const testing::TestInfo *info = testing::UnitTest::GetInstance()->current_test_info())
        test = QString::fromUtf8(info->test_suite_name()) + u'.' + QString::fromUtf8(info->name());
    test.replace(u'/', u'_');
    return test + u'-' + QFileInfo(expectedPath).completeBaseName();
}

int channelDistance(QRgb a, QRgb b)
{
    return std::max({ std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                      std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b)) });
}

struct Difference
{
    int pixels = 0;
    int worstChannel = 0;
    QPoint first { -1, -1 };
    QImage map; // differing pixels red, the others a pale copy of the expected picture
};

Difference compare(const QImage &actual, const QImage &expected, int channelTolerance)
{
    Difference d;
    d.map = QImage(expected.size(), QImage::Format_RGB32);
    for (int y = 0; y < expected.height(); ++y) {
        const auto *a = reinterpret_cast<const QRgb *>(actual.constScanLine(y));
        const auto *e = reinterpret_cast<const QRgb *>(expected.constScanLine(y));
        auto *m = reinterpret_cast<QRgb *>(d.map.scanLine(y));
        for (int x = 0; x < expected.width(); ++x) {
            const int distance = channelDistance(a[x], e[x]);
            d.worstChannel = std::max(d.worstChannel, distance);
            if (distance > channelTolerance) {
                if (d.pixels++ == 0)
                    d.first = QPoint(x, y);
                m[x] = qRgb(255, 0, 0);
            } else {
                const int grey = 192 + qGray(e[x]) / 4;
                m[x] = qRgb(grey, grey, grey);
            }
        }
    }
    return d;
}

QString save(const QImage &image, const QString &name)
{
    const QString folder = failuresFolder();
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(name);
    return image.save(path, "PNG") ? path : u"(could not write %1)"_s.arg(path);
}

} // namespace

QString failuresFolder()
{
    return QStringLiteral(FRAMOLIN_PICTURE_FAILURES_DIR);
}

testing::AssertionResult matchesPicture(const QImage &actual, const QString &expectedPath,
                                        Tolerance tolerance)
{
    if (actual.isNull())
        return testing::AssertionFailure() << "the actual picture is empty";
    const QImage expectedImage(expectedPath);
    const QImage a = actual.convertToFormat(QImage::Format_ARGB32);
    const QImage e = expectedImage.convertToFormat(QImage::Format_ARGB32);

    std::string why;
    Difference d;
    if (expectedImage.isNull()) {
        why = "there is no readable expected picture at " + expectedPath.toStdString();
    } else if (a.size() != e.size()) {
        why = "the actual picture is " + std::to_string(a.width()) + " x "
            + std::to_string(a.height()) + ", the expected one " + std::to_string(e.width()) + " x "
            + std::to_string(e.height());
    } else {
        d = compare(a, e, tolerance.channel);
        if (d.pixels <= tolerance.pixels)
            return testing::AssertionSuccess();
        why = std::to_string(d.pixels) + " pixels differ by more than "
            + std::to_string(tolerance.channel) + " in a channel (at most "
            + std::to_string(tolerance.pixels) + " may), the first at ("
            + std::to_string(d.first.x()) + ", " + std::to_string(d.first.y()) + "), the worst by "
            + std::to_string(d.worstChannel);
    }

    if (updating()) {
        QDir().mkpath(QFileInfo(expectedPath).absolutePath());
        if (actual.save(expectedPath, "PNG")) {
            std::cerr << "updated " << expectedPath.toStdString() << " (" << why << ")\n";
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure() << "could not write " << expectedPath.toStdString();
    }

    const QString name = leftoverName(expectedPath);
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << why << "\n  actual:   " << save(actual, name + u".actual.png"_s).toStdString();
    if (!d.map.isNull())
        failure << "\n  differing pixels (red): "
                << save(d.map, name + u".diff.png"_s).toStdString();
    failure << "\n  expected: " << expectedPath.toStdString()
            << "\n  (FRAMOLIN_UPDATE_PICTURES=1 makes the actual picture the expected one)";
    return failure;
}

} // namespace expected
