// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one check every strip writer makes before it opens its output: a strip is written under
// a new name and renamed over the old file, which would turn a device or a FIFO into a plain
// file for the whole system, so only a new name or a regular file is ever replaced.

#include <QString>

namespace engine {

// True when a strip may be written at `path`; otherwise false with the reason (no path, a
// folder, a device, a FIFO or a socket, a missing folder).
bool checkOutputPath(const QString &path, QString *reason);

} // namespace engine
