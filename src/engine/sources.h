// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Never overwriting a source: the output of a strip may not be one of its pictures, whatever
// path or link names it.

#include <QString>
#include <QStringList>

namespace engine {

// The first of `inputs` that is the very file `output` names (the same device and inode:
// through another path, a symbolic or a hard link), or an empty string. An output that does not
// exist yet is none of them.
QString inputThatIsOutput(const QString &output, const QStringList &inputs);

// Why `output` is refused, being the input `input` (named when the paths differ).
QString overwritesInput(const QString &output, const QString &input);

} // namespace engine
