#pragma once
// Turning the command line's PICTURE|FOLDER arguments into the list of frames.

#include <QString>
#include <QStringList>

namespace cli {

// Each file argument as given; each folder as its BMP, JPG/JPEG and GIF files (by name,
// any case) in natural order. False with one line naming the argument on failure.
bool expandInputs(const QStringList &arguments, QStringList *files, QString *error);

} // namespace cli
