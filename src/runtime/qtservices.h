// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real platform services on Qt: message boxes, the settings file, the program starter.

#include "services.h"

#include "engine/file_stamp.h"
#include "engine/settings_file.h"

#include <memory>

class QWidget;

namespace runtime {

class QtMessageBoxes : public MessageBoxes
{
public:
    // Boxes are modal to `parent` (may be null).
    explicit QtMessageBoxes(QWidget *parent = nullptr) : m_parent(parent) { }
    void setParent(QWidget *parent) { m_parent = parent; }
    int MsgBox(const QString &prompt, int style, const QString &title) override;
    int InputNumber(const QString &prompt, const QString &title, int value, int lowest,
                    int highest) override;

private:
    QWidget *m_parent;
};

} // namespace runtime

namespace runtime {

// Settings in $XDG_CONFIG_HOME/<app>/<app>.ini: one INI group per section. Values given by
// SaveSetting are written together by Flush (or when the store goes away), replacing the file
// whole, so two programs storing at once leave one whole set. What is read back is always
// what the file holds: a write that failed leaves nothing of itself behind.
class IniSettingsStore : public SettingsStore
{
public:
    IniSettingsStore();
    ~IniSettingsStore() override;
    IniSettingsStore(const IniSettingsStore &) = delete;
    IniSettingsStore &operator=(const IniSettingsStore &) = delete;

    void SaveSetting(const QString &app, const QString &section, const QString &key,
                     const QString &value) override;
    // A missing key, or no file, reads as "". The file is read once and kept while it stays
    // unchanged on disk, so restoring thousands of keys reads it once. Throws RuntimeError 75
    // naming the file and the reason when it is there but cannot be read (over the size
    // limit, not a plain file, no permission).
    QString GetSetting(const QString &app, const QString &section, const QString &key) override;
    // Throws RuntimeError 75 when the file cannot be written; it then stays as it was.
    void DeleteSetting(const QString &app) override;
    // Throws RuntimeError 75 when the file cannot be written; it then stays as it was.
    void Flush() override;

    // The file that holds `app`'s settings.
    static QString fileName(const QString &app);
    // Puts every store's files under `folder` instead of the user's configuration folder (for
    // tests); an empty folder goes back to it.
    static void setConfigFolder(const QString &folder);

private:
    const engine::SettingsFile &current(const QString &app);

    QString m_pendingApp;
    engine::SettingsFile m_pending;
    QString m_cachedPath;
    engine::FileStamp m_cachedStamp;
    engine::SettingsFile m_cached;
};

// The desktop's file and folder choosers, modal to `parent`.
class QtFileDialogs : public FileDialogs
{
public:
    explicit QtFileDialogs(QWidget *parent = nullptr) : m_parent(parent) { }
    void setParent(QWidget *parent) { m_parent = parent; }
    QStringList GetOpenFileNames(const QString &title, const QString &filter,
                                 const QString &start) override;
    QString GetExistingDirectory(const QString &title, const QString &start) override;
    QString GetSaveFileName(const QString &title, const QString &filters, const QString &start,
                            QString *selectedFilter) override;

private:
    QWidget *m_parent;
};

// Opens a file with the desktop's default program for it.
class DesktopStarter : public ProgramStarter
{
public:
    void Shell(const QString &command, int windowStyle) override;
};

} // namespace runtime
