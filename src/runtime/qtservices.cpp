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
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace runtime {

namespace {

std::unique_ptr<QSettings> openSettings(const QString &app)
{
    auto settings
        = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, app, app);
    if (settings->status() == QSettings::NoError)
        return settings;
    // A damaged file leaves its read error on the object that parsed it, where it would hide
    // a later write error. A second object shares what was parsed, with a clear status.
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, app, app);
}

[[noreturn]] void throwWriteFailure(const QString &path)
{
    const QFileInfo dir(QFileInfo(path).absolutePath());
    QString reason;
    if (!dir.exists())
        reason = u"no se pudo crear la carpeta \"%1\""_s.arg(dir.filePath());
    else if (!dir.isDir() || !dir.isWritable())
        reason = u"la carpeta \"%1\" no admite escritura"_s.arg(dir.filePath());
    else
        reason = u"error de escritura (¿disco lleno?)"_s;
    throw RuntimeError(err::kFileAccess,
                       u"No se pudo guardar la configuración en \"%1\": %2. "
                       "Lo guardado antes se conservó."_s.arg(path, reason));
}

// Writes what `settings` holds back to its file, reporting a write that did not happen.
void syncOrThrow(QSettings &settings)
{
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throwWriteFailure(settings.fileName());
}

// A value as text. A hand-edited file may hold what QSettings reads as a list (an unquoted
// comma) or as another type; a list is joined back, anything else that is no text reads "".
QString valueText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u", "_s);
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    if (value.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(value.toByteArray());
    return value.canConvert<QString>() ? value.toString() : QString();
}

} // namespace

IniSettingsStore::IniSettingsStore() = default;

IniSettingsStore::~IniSettingsStore() = default; // QSettings writes what is pending

QString IniSettingsStore::fileName(const QString &app)
{
    return openSettings(app)->fileName();
}

void IniSettingsStore::SaveSetting(const QString &app, const QString &section, const QString &key,
                                   const QString &value)
{
    if (m_pending && m_pendingApp != app)
        Flush();
    if (!m_pending) {
        m_pending = openSettings(app);
        m_pendingApp = app;
    }
    m_pending->setValue(section + u'/' + key, value);
}

QString IniSettingsStore::GetSetting(const QString &app, const QString &section, const QString &key)
{
    const QString name = section + u'/' + key;
    if (m_pending && m_pendingApp == app)
        return valueText(m_pending->value(name));
    return valueText(openSettings(app)->value(name));
}

void IniSettingsStore::DeleteSetting(const QString &app)
{
    std::unique_ptr<QSettings> settings;
    if (m_pending && m_pendingApp == app)
        settings = std::move(m_pending);
    else
        settings = openSettings(app);
    // Nothing stored, nothing to erase (and no file is made just to be empty).
    if (settings->allKeys().isEmpty())
        return;
    settings->clear();
    syncOrThrow(*settings);
}

void IniSettingsStore::Flush()
{
    if (!m_pending)
        return;
    const std::unique_ptr<QSettings> settings = std::move(m_pending);
    syncOrThrow(*settings);
}

QStringList QtFileDialogs::GetOpenFileNames(const QString &title, const QString &filter)
{
    const QStringList files = QFileDialog::getOpenFileNames(
        m_parent, title, m_folder.isEmpty() ? QDir::homePath() : m_folder, filter);
    if (!files.isEmpty())
        m_folder = QFileInfo(files.front()).absolutePath();
    return files;
}

QString QtFileDialogs::GetExistingDirectory(const QString &title)
{
    const QString folder = QFileDialog::getExistingDirectory(
        m_parent, title, m_folder.isEmpty() ? QDir::homePath() : m_folder);
    if (!folder.isEmpty())
        m_folder = folder;
    return folder;
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
