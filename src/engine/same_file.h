// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether two paths lead to one file, so that an output never overwrites one of its own inputs.

#include <QString>

namespace engine {

// True when both paths exist and name the same file: the same path, a symbolic link to it, or
// a hard link (the same device and inode). A path that does not exist names no file yet.
bool sameFile(const QString &a, const QString &b);

// True when files saved at `a` and at `b` would land on one file: the same file already, or,
// for names with no file yet, the same place once links (even links to nothing yet) and the
// folders' own links are followed, as a save replaces a link's target.
bool sameDestination(const QString &a, const QString &b);

} // namespace engine
