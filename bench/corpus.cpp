// SPDX-License-Identifier: GPL-3.0-or-later
#include "corpus.h"

#include <QDir>
#include <QImage>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace bench {

QStringList makeCorpus(const QString &folder, int count)
{
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const bool photo = i % 2 == 0;
        QImage image(photo ? QSize(640, 480) : QSize(100, 80), QImage::Format_RGB32);
        image.fill(QColor::fromHsv(i * 37 % 360, 200, 220));
        QPainter p(&image);
        p.setBrush(QColor::fromHsv(i * 91 % 360, 255, 120));
        p.drawEllipse(image.rect().adjusted(image.width() / 4, image.height() / 4,
                                            -image.width() / 4, -image.height() / 4));
        p.end();
        const QString path = QDir(folder).filePath(
            u"frame%1.%2"_s.arg(i, 3, 10, QChar(u'0')).arg(photo ? u"jpg"_s : u"bmp"_s));
        if (!image.save(path, photo ? "JPG" : "BMP", 85))
            return {};
        paths.append(path);
    }
    return paths;
}

} // namespace bench
