// SPDX-License-Identifier: GPL-3.0-or-later
#include "jpeg_edits.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace pictures {

qsizetype segment(const QByteArray &jpeg, uchar type)
{
    for (qsizetype at = 2; at + 4 <= jpeg.size();) {
        if (uchar(jpeg[at + 1]) == type)
            return at;
        at += 2 + qFromBigEndian<quint16>(jpeg.constData() + at + 2);
    }
    return -1;
}

QByteArray firstComponentOnly(QByteArray jpeg)
{
    const qsizetype sos = segment(jpeg, 0xDA);
    const int components = uchar(jpeg[sos + 4]);
    jpeg.remove(sos + 7, 2 * (components - 1));
    jpeg[sos + 4] = 1;
    qToBigEndian(quint16(8), jpeg.data() + sos + 2);
    return jpeg;
}

QByteArray frameKind(QByteArray jpeg, uchar kind)
{
    jpeg[segment(jpeg, 0xC0) + 1] = char(kind);
    return jpeg;
}

QByteArray withComments(QByteArray jpeg, int count)
{
    QByteArray comments;
    for (int i = 0; i < count; ++i)
        comments.append("\xFF\xFE\x00\x04ok", 6);
    return jpeg.insert(2, comments);
}

QByteArray claimSize(QByteArray jpeg, int width, int height)
{
    bool found = false;
    for (const uchar kind : { uchar(0xC0), uchar(0xC1), uchar(0xC2) })
        if (const qsizetype at = segment(jpeg, kind); at >= 0) {
            qToBigEndian(quint16(height), jpeg.data() + at + 5);
            qToBigEndian(quint16(width), jpeg.data() + at + 7);
            found = true;
        }
    EXPECT_TRUE(found) << "no frame header";
    return jpeg;
}

} // namespace pictures
