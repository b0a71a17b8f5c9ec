// SPDX-License-Identifier: GPL-3.0-or-later
// "Guardar datos" and "Recuperar datos" with the largest list, through the window and the
// real settings file, in a throwaway configuration folder.
// Usage: framolin_bench_settings [ENTRIES]   (default 32767)

#include "form1.h"

#include "runtime/program.h"
#include "runtime/qtservices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList args = application.arguments();
    const int entries = args.size() > 1 ? args[1].toInt() : 32767;
    QTemporaryDir config;
    runtime::IniSettingsStore::setConfigFolder(config.path());

    runtime::QtMessageBoxes boxes;
    runtime::Program program(boxes);
    runtime::QtEventPump events(program);
    runtime::DesktopStarter starter;
    runtime::IniSettingsStore settings;
    runtime::QtFileDialogs dialogs;
    app::Form1 form(app::Services { program, boxes, events, starter, settings, dialogs });
    for (int i = 0; i < entries; ++i)
        form.List1->AddItem(u"/home/ana/Imágenes/vuelta completa/cuadro %1.jpg"_s.arg(i));

    QElapsedTimer timer;
    timer.start();
    form.Command3_Click();
    const qint64 store = timer.elapsed();
    form.List1->Clear();
    timer.restart();
    form.Command6_Click();
    const qint64 restore = timer.elapsed();
    // The settings' share of the restore: every key read once more, the list left alone.
    timer.restart();
    for (int i = 0; i < entries; ++i)
        settings.GetSetting(u"Framolin"_s, u"InputFiles"_s, u"InputFile%1"_s.arg(i));
    const qint64 reads = timer.elapsed();
    std::printf("entries %d: store %lld ms, restore %lld ms (%d restored; reading the keys "
                "alone %lld ms)\n",
                entries, static_cast<long long>(store), static_cast<long long>(restore),
                int(form.List1->ListCount()), static_cast<long long>(reads));
    return form.List1->ListCount() == entries ? 0 : 1;
}
