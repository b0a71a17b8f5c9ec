// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Guardar como...": the output file chosen in the desktop's save dialog, one filter per
// format a strip is written in and per loop its frames are played in.

#include "last_folder.h"

#include "runtime/services.h"

#include <QString>
#include <QStringList>

namespace app {

// "BMP (*.bmp)", "PNG (*.png)", "JPEG (*.jpg *.jpeg)", "WebP (*.webp)", then the loops
// "GIF animado (*.gif)", "Vídeo MP4 (*.mp4)", "Vídeo WebM (*.webm)", in that order.
QStringList stripFilters();

// Asks where to write the strip, starting at `typedOutput` when its folder exists, otherwise in
// the folder last used. A name without a strip format's extension gets the chosen filter's.
// Empty when the user cancels.
QString askOutputPath(runtime::FileDialogs &dialogs, LastFolder &lastFolder,
                      const QString &typedOutput);

} // namespace app
