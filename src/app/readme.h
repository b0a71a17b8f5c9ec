// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The readme command, and how its bare file name is found: the working folder first, then the
// program's own folder, then the installed data folder, the way a user expects on Linux.

#include "runtime/services.h"

#include <QStringList>

namespace app {

// The folders a bare file name is looked up in, in order; the installed data folder comes
// twice: as seen from the program's folder, then as configured.
QStringList lookupFolders();

// A program starter that resolves a bare file name through a list of folders and hands the
// full path to the starter it wraps. A bare name found in none of them is error 53; a name
// with a folder part is handed on unchanged.
class FolderLookupStarter : public runtime::ProgramStarter
{
public:
    FolderLookupStarter(runtime::ProgramStarter &starter, QStringList folders);
    void Shell(const QString &command, int windowStyle) override;

private:
    runtime::ProgramStarter &m_starter;
    QStringList m_folders;
};

// mLeerLeame_Click: starts "framolin.txt" maximised; reports a missing file in both languages
// and stays silent on any other failure.
void openReadme(runtime::ProgramStarter &starter, runtime::MessageBoxes &boxes);

} // namespace app
