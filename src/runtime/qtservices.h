#pragma once
// The real platform services on Qt: message boxes.

#include "services.h"

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

// Settings in $XDG_CONFIG_HOME/<app>/<app>.ini: one INI group per section.
class IniSettingsStore : public SettingsStore
{
public:
    void SaveSetting(const QString &app, const QString &section, const QString &key,
                     const QString &value) override;
    QString GetSetting(const QString &app, const QString &section, const QString &key) override;
    void DeleteSetting(const QString &app) override;
};

// Opens a file with the desktop's default program for it.
class DesktopStarter : public ProgramStarter
{
public:
    void Shell(const QString &command, int windowStyle) override;
};

} // namespace runtime
