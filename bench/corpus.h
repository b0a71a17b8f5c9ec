// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures the benchmarks assemble: a few distinct small photos and drawings, made on the
// spot so the benchmarks need no files of their own.

#include <QString>
#include <QStringList>

namespace bench {

// Writes `count` pictures into `folder`: JPEG photos of 640 x 480 (decoded at a reduced scale)
// and BMP drawings of 100 x 80, alternating, each with its own colours. Returns their paths.
QStringList makeCorpus(const QString &folder, int count);

} // namespace bench
