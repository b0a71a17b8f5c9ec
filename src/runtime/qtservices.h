#pragma once
// The real platform services on Qt: message boxes.

#include "services.h"

#include <memory>

class QSettings;
class QWidget;

namespace runtime {

class QtMessageBoxes : public MessageBoxes
{
public:
    // Boxes are modal to `parent` (may be null).
    explicit QtMessageBoxes(QWidget *parent = nullptr) : m_parent(parent) { }
    void setParent(QWidget *parent) { m_parent = parent; }
    int MsgBox(const QString &prompt, int style, const QString &title) override;

private:
    QWidget *m_parent;
};

} // namespace runtime

namespace runtime {

// Settings in $XDG_CONFIG_HOME/<app>/<app>.ini: one INI group per section. Values given by
// SaveSetting are written together by Flush (or when the store goes away), replacing the file
// whole, under QSettings' lock file, so two programs storing at once leave one whole set.
class IniSettingsStore : public SettingsStore
{
public:
    IniSettingsStore();
    ~IniSettingsStore() override;
    IniSettingsStore(const IniSettingsStore &) = delete;
    IniSettingsStore &operator=(const IniSettingsStore &) = delete;

    void SaveSetting(const QString &app, const QString &section, const QString &key,
                     const QString &value) override;
    // A missing key, or a value of a hand-edited file that is no text, reads as "".
    QString GetSetting(const QString &app, const QString &section, const QString &key) override;
    // Throws RuntimeError 75 when the file cannot be written; it then stays as it was.
    void DeleteSetting(const QString &app) override;
    // Throws RuntimeError 75 when the file cannot be written; it then stays as it was.
    void Flush() override;

    // The file that holds `app`'s settings.
    static QString fileName(const QString &app);

private:
    std::unique_ptr<QSettings> m_pending;
    QString m_pendingApp;
};

// The desktop's file and folder choosers, modal to `parent`, each starting where the last
// one was left.
class QtFileDialogs : public FileDialogs
{
public:
    explicit QtFileDialogs(QWidget *parent = nullptr) : m_parent(parent) { }
    void setParent(QWidget *parent) { m_parent = parent; }
    QStringList GetOpenFileNames(const QString &title, const QString &filter) override;
    QString GetExistingDirectory(const QString &title) override;

private:
    QWidget *m_parent;
    QString m_folder;
};

// Opens a file with the desktop's default program for it.
class DesktopStarter : public ProgramStarter
{
public:
    void Shell(const QString &command, int windowStyle) override;
};

} // namespace runtime
