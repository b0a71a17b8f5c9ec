#include "inputs.h"

#include "language.h"
#include "natural_order.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

bool hasPictureName(const QString &name)
{
    for (const QLatin1StringView suffix : { ".bmp"_L1, ".jpg"_L1, ".jpeg"_L1, ".gif"_L1, ".png"_L1,
                                            ".webp"_L1, ".tif"_L1, ".tiff"_L1 }) {
        if (name.endsWith(suffix, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

bool expandInputs(const QStringList &arguments, QStringList *files, QString *error,
                  QList<LeftOut> *leftOut)
{
    for (const QString &argument : arguments) {
        const QFileInfo info(argument);
        if (!info.exists()) {
            *error = Text::tr("%1: does not exist").arg(argument);
            return false;
        }
        if (!info.isDir()) {
            files->append(argument);
            continue;
        }
        QDir dir(argument);
        if (!dir.isReadable()) {
            *error = Text::tr("%1: the folder cannot be read").arg(argument);
            return false;
        }
        dir.setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        dir.setSorting(QDir::Unsorted);
        QStringList names;
        QList<LeftOut> others;
        const QFileInfoList entries = dir.entryInfoList();
        for (const QFileInfo &entry : entries) {
            const QString path = dir.filePath(entry.fileName());
            // Dot-files are left out: editors and file managers leave hidden copies and
            // thumbnails there, which are no frames.
            if (entry.fileName().startsWith(u'.'))
                others.append({ path, Text::tr("a hidden file") });
            else if (!hasPictureName(entry.fileName()))
                others.append({ path, Text::tr("not named as a picture") });
            else if (entry.isDir())
                others.append({ path, Text::tr("a folder") });
            else if (!entry.isFile() || !entry.isReadable())
                others.append({ path, Text::tr("not a readable file") });
            else
                names.append(entry.fileName());
        }
        std::sort(names.begin(), names.end(), naturalLess);
        if (names.isEmpty()) {
            *error = Text::tr("%1: the folder has no BMP, JPG, GIF, PNG, WebP or TIFF pictures")
                         .arg(argument);
            return false;
        }
        for (const QString &name : std::as_const(names))
            files->append(dir.filePath(name));
        if (leftOut) {
            std::sort(others.begin(), others.end(), [](const LeftOut &a, const LeftOut &b) {
                return naturalLess(a.path, b.path);
            });
            leftOut->append(others);
        }
    }
    return true;
}

} // namespace cli
