// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's icons, drawn from the SVG sources built into the binary.

#include <QPixmap>
#include <QString>

namespace app {

// The icon `name` (a file of resources/icons without ".svg") at `size` x `size` pixels.
QPixmap renderIcon(const QString &name, int size);

} // namespace app
