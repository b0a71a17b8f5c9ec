// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turning the command line's PICTURE|FOLDER arguments into the list of frames.

#include <QString>
#include <QStringList>

#include <QList>

namespace cli {

// An entry of a folder given that is not taken as a frame, and why.
struct LeftOut
{
    QString path;
    QString reason;
};

// Each file argument as given; each folder as its BMP, JPG/JPEG, GIF, PNG, WebP and TIF/TIFF
// entries (by name, any case, dot-files and folders left out) in natural order, the folders'
// other entries in `leftOut` when given. False with one line naming the argument on failure.
bool expandInputs(const QStringList &arguments, QStringList *files, QString *error,
                  QList<LeftOut> *leftOut = nullptr);

} // namespace cli
