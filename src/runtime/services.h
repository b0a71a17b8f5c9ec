// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform services that handlers call, each behind a small interface so that tests can
// script them. Real implementations live beside this header; fakes live with the tests.

#include <QString>
#include <QStringList>

namespace runtime {

namespace mb {
inline constexpr int kYesNo = 4;
inline constexpr int kCritical = 16;
inline constexpr int kInformation = 64;
inline constexpr int kOk = 1;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;
} // namespace mb

// Modal message box: prompt (line feeds break lines), style (4, 16 or 64) and title; returns
// the number of the button pressed (OK 1, Yes 6, No 7).
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual int MsgBox(const QString &prompt, int style, const QString &title) = 0;
    // A whole number from `lowest` to `highest`, `value` offered; -1 when the user cancels.
    // Where no one can be asked, the offer stands.
    virtual int InputNumber(const QString &prompt, const QString &title, int value, int lowest,
                            int highest)
    {
        Q_UNUSED(prompt);
        Q_UNUSED(title);
        Q_UNUSED(lowest);
        Q_UNUSED(highest);
        return value;
    }
};

// Starts a file with a window style; throws RuntimeError 53 when the file is not found and
// another number for any other failure.
class ProgramStarter
{
public:
    virtual ~ProgramStarter() = default;
    virtual void Shell(const QString &command, int windowStyle) = 0;
};

// Per-user strings addressed by application, section and key. A missing key reads as "".
// Failures to write throw RuntimeError naming what was kept, at the latest from Flush.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual void SaveSetting(const QString &app, const QString &section, const QString &key,
                             const QString &value)
        = 0;
    virtual QString GetSetting(const QString &app, const QString &section, const QString &key) = 0;
    // Removes the application's whole branch, every section.
    virtual void DeleteSetting(const QString &app) = 0;
    // Writes what SaveSetting gave since the last flush as one whole, so a set of values
    // stored together is never found half written. Stores that write at once do nothing.
    virtual void Flush() { }
};

// Modal choosers of files and folders, each opening at `start` (a folder, or a file to
// select). An empty answer means the user cancelled.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // Existing files, several at once; `filter` as "Description (*.a *.b)".
    virtual QStringList GetOpenFileNames(const QString &title, const QString &filter,
                                         const QString &start)
        = 0;
    virtual QString GetExistingDirectory(const QString &title, const QString &start) = 0;
    // A file to write, asking before one is replaced; `filters` separated by ";;".
    // `selectedFilter` holds the filter shown first and receives the one chosen.
    virtual QString GetSaveFileName(const QString &title, const QString &filters,
                                    const QString &start, QString *selectedFilter)
        = 0;
};

// Lets pending events run, then returns. Throws ProgramEnded once the program has ended.
class EventPump
{
public:
    virtual ~EventPump() = default;
    virtual void DoEvents() = 0;
};

} // namespace runtime
