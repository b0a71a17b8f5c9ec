// SPDX-License-Identifier: GPL-3.0-or-later
#include "readme.h"

#include "runtime/error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace app {

namespace {
constexpr int kMaximizedFocus = 3;
}

QStringList lookupFolders()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    return { QDir::currentPath(), programFolder,
             QDir::cleanPath(programFolder + u'/' + QStringLiteral(FRAMOLIN_DATADIR_FROM_BIN)),
             QStringLiteral(FRAMOLIN_DATADIR) };
}

FolderLookupStarter::FolderLookupStarter(runtime::ProgramStarter &starter, QStringList folders)
    : m_starter(starter), m_folders(std::move(folders))
{ }

void FolderLookupStarter::Shell(const QString &command, int windowStyle)
{
    if (command.contains(u'/')) {
        m_starter.Shell(command, windowStyle);
        return;
    }
    for (const QString &folder : std::as_const(m_folders)) {
        if (folder.isEmpty())
            continue;
        const QFileInfo candidate(QDir(folder), command);
        if (candidate.isFile()) {
            m_starter.Shell(candidate.absoluteFilePath(), windowStyle);
            return;
        }
    }
    throw runtime::RuntimeError(runtime::err::kFileNotFound,
                                u"No se encontró el archivo \"%1\""_s.arg(command));
}

void openReadme(runtime::ProgramStarter &starter, runtime::MessageBoxes &boxes)
{
    int errorNumber = 0;
    try {
        starter.Shell(u"framolin.txt"_s, kMaximizedFocus);
    } catch (const runtime::RuntimeError &e) {
        errorNumber = e.number();
    }
    if (errorNumber == runtime::err::kFileNotFound)
        boxes.MsgBox(u"El archivo Framolin.txt no se encontró.\nFramolin.txt file didn't found."_s,
                     runtime::mb::kCritical, u"Error"_s);
}

} // namespace app
