#include "qtservices.h"

#include <QMessageBox>

namespace runtime {

int QtMessageBoxes::MsgBox(const QString &prompt, int style, const QString &title)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    box.setText(prompt);
    box.setTextFormat(Qt::PlainText);
    if (style & mb::kYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes); // Enter answers Yes
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int icon = style & 0x70;
    if (icon == mb::kCritical)
        box.setIcon(QMessageBox::Critical);
    else if (icon == mb::kInformation)
        box.setIcon(QMessageBox::Information);
    const int answer = box.exec();
    if (style & mb::kYesNo)
        return answer == QMessageBox::Yes ? mb::kYes : mb::kNo;
    return mb::kOk;
}

} // namespace runtime

#include "error.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace runtime {

void IniSettingsStore::SaveSetting(const QString &app, const QString &section, const QString &key,
                                   const QString &value)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, app, app);
    settings.setValue(section + u'/' + key, value);
}

QString IniSettingsStore::GetSetting(const QString &app, const QString &section, const QString &key)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, app, app);
    return settings.value(section + u'/' + key).toString();
}

void IniSettingsStore::DeleteSetting(const QString &app)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, app, app);
    settings.clear();
}

void DesktopStarter::Shell(const QString &command, int windowStyle)
{
    Q_UNUSED(windowStyle);
    const QFileInfo info(command);
    if (!info.exists())
        throw RuntimeError(err::kFileNotFound, u"No se encontró el archivo \"%1\""_s.arg(command));
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath())))
        throw RuntimeError(err::kFileAccess, u"No se pudo abrir \"%1\""_s.arg(command));
}

} // namespace runtime
