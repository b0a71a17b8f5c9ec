#pragma once
// Turning the command line's PICTURE|FOLDER arguments into the list of frames.

#include <QString>
#include <QStringList>

namespace cli {

// Each file argument as given; each folder as its BMP, JPG/JPEG, GIF, PNG, WebP and TIF/TIFF
// files (by name, any case, dot-files and the file `output` names left out) in natural order. False
// with one line naming the argument on failure.
bool expandInputs(const QStringList &arguments, QStringList *files, QString *error,
                  const QString &output = {});

} // namespace cli
