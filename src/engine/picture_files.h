// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which files count as pictures, by name, and the pictures a folder stands for: the window's
// drops and dialogs and the command-line builder must pick the same files in the same order.

#include <QString>
#include <QStringList>

namespace engine {

// Name patterns of the pictures read ("*.bmp", ...); matched in any case.
QStringList pictureNameFilters();

// The entries of `folder` whose names match pictureNameFilters(), folders and hidden files
// left out, as full paths in natural order; those that cannot be read are listed too, to be
// refused in their turn. False with `error` set (naming the folder) when the folder cannot be read;
// an empty list is no error here, callers decide.
bool picturesInFolder(const QString &folder, QStringList *files, QString *error);

} // namespace engine
