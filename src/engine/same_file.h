// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether two paths lead to one file, so that an output never overwrites one of its own inputs.

#include <QString>

namespace engine {

// True when both paths exist and name the same file: the same path, a symbolic link to it, or
// a hard link (the same device and inode). A path that does not exist names no file yet.
bool sameFile(const QString &a, const QString &b);

} // namespace engine
