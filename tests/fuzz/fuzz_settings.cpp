// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary text as the settings file, read back through the store for every key the program
// restores.

#include "fuzz_support.h"

#include "runtime/error.h"
#include "runtime/qtservices.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString folder = fuzz::folder().filePath(u"config/Framolin"_s);
    static const QString path = folder + u"/Framolin.ini"_s;
    static qint64 stamp = 1'000'000'000;
    QDir().mkpath(folder);
    if (!fuzz::writeFile(path, data, size))
        std::abort();
    // A new time stamp each run, so the settings cache never mistakes this text for the last.
    const struct timespec times[2] = { { stamp, 0 }, { stamp, 0 } };
    ++stamp;
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);

    runtime::IniSettingsStore store;
    try {
        const QString app = u"Framolin"_s;
        bool ok = false;
        const int last = store.GetSetting(app, u"InputFiles"_s, u"InputFilesCount"_s).toInt(&ok);
        for (int i = 0; ok && i <= std::min(last, 64); ++i)
            store.GetSetting(app, u"InputFiles"_s, u"InputFile"_s + QString::number(i));
        store.GetSetting(app, u"OutputFile"_s, u"OutputFilename"_s);
        store.GetSetting(app, u"ResizeValues"_s, u"Width"_s);
        store.GetSetting(app, u"ResizeValues"_s, u"Height"_s);
    } catch (const runtime::RuntimeError &) {
        // A store may refuse a file it cannot read, naming it; that is sound.
    }
    return 0;
}
