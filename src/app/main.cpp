// SPDX-License-Identifier: GPL-3.0-or-later
// Framolin: builds the object file of a 360-degree viewer from a list of pictures.

#include "form1.h"
#include "readme.h"

#include "runtime/program.h"
#include "runtime/qtservices.h"
#include "runtime/translations.h"

#include "engine/texts.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <malloc.h>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    // Each frame allocates the same few picture buffers again; kept on the heap instead of
    // being mapped and unmapped each time, they cost no page faults.
    // Set before any thread starts, so mallopt's lack of thread safety cannot matter.
    mallopt(M_MMAP_THRESHOLD, 32 << 20); // NOLINT(concurrency-mt-unsafe)
    mallopt(M_TRIM_THRESHOLD, 64 << 20); // NOLINT(concurrency-mt-unsafe)
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(u"Framolin"_s);
    QCoreApplication::setApplicationName(u"Framolin"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(FRAMOLIN_VERSION));
    QGuiApplication::setDesktopFileName(u"framolin"_s);
    runtime::installQtTranslations(QLocale::system());
    // The engine's reasons in the boxes are Spanish, whatever the captions' language.
    const engine::SpanishTexts engineTexts;

    runtime::QtMessageBoxes boxes;
    runtime::Program program(boxes);
    runtime::QtEventPump events(program);
    runtime::DesktopStarter desktop;
    app::FolderLookupStarter starter(desktop, app::lookupFolders());
    runtime::IniSettingsStore settings;
    runtime::QtFileDialogs dialogs;

    app::Form1 form(app::Services { program, boxes, events, starter, settings, dialogs });
    boxes.setParent(&form);
    dialogs.setParent(&form);
    form.show();
    // Files and folders named on the command line ("Open with" in a file manager) are added
    // once the window is up, through the drop path, so the bar and any error show as usual.
    QStringList paths;
    for (const QString &argument : QCoreApplication::arguments().mid(1))
        paths.append(QFileInfo(argument).absoluteFilePath());
    QTimer::singleShot(0, &form, [&] { program.run([&] { form.openAtStart(paths); }); });
    return program.ended() ? 0 : application.exec();
}
