// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// JPEG files edited into the shapes hostile files take: more segments before the frame header,
// a scan holding only some components, another kind of frame, a claimed size. Made from files
// Qt writes, so the tests depend on no outside tool.

#include <QByteArray>

namespace pictures {

// The offset of the first segment of `type` among the JPEG's headers; -1 when there is none.
qsizetype segment(const QByteArray &jpeg, uchar type);

// The JPEG with its first scan holding its first component only: libjpeg then expects more
// scans and keeps the coefficients of the whole picture.
QByteArray firstComponentOnly(QByteArray jpeg);

// The JPEG with its frame header marked as another kind (0xC1: extended sequential).
QByteArray frameKind(QByteArray jpeg, uchar kind);

// The JPEG with `count` comment segments in front of its other headers.
QByteArray withComments(QByteArray jpeg, int count);

// The JPEG with the size in its frame header replaced: what a decompression bomb looks like.
// A JPEG without a frame header fails the test.
QByteArray claimSize(QByteArray jpeg, int width, int height);

} // namespace pictures
