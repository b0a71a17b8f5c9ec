// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtservices.h"

#include <QInputDialog>
#include <QMessageBox>

#include <utility>

namespace runtime {

int QtMessageBoxes::InputNumber(const QString &prompt, const QString &title, int value, int lowest,
                                int highest)
{
    bool ok = false;
    const int number
        = QInputDialog::getInt(m_parent, title, prompt, value, lowest, highest, 1, &ok);
    return ok ? number : -1;
}

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

#include "engine/working_set.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace runtime {

namespace {

QString &configFolder()
{
    static QString folder;
    return folder;
}

[[noreturn]] void throwWriteFailure(const QString &path, const QString &writerReason)
{
    const QFileInfo dir(QFileInfo(path).absolutePath());
    QString reason;
    if (!dir.exists())
        reason = u"no se pudo crear la carpeta \"%1\""_s.arg(dir.filePath());
    else if (!dir.isDir() || !dir.isWritable())
        reason = u"la carpeta \"%1\" no admite escritura"_s.arg(dir.filePath());
    else
        reason = writerReason;
    throw RuntimeError(err::kFileAccess,
                       u"No se pudo guardar la configuración en \"%1\": %2. "
                       "Lo guardado antes se conservó."_s.arg(path, reason));
}

// The file as it is on disk now, for a change to be made to it.
engine::SettingsFile readForWriting(const QString &path)
{
    engine::SettingsFile file;
    QString reason;
    if (!file.read(path, &reason))
        throwWriteFailure(path, reason);
    return file;
}

void writeOrThrow(const engine::SettingsFile &file, const QString &path)
{
    QString reason;
    if (!file.write(path, &reason))
        throwWriteFailure(path, reason);
}

} // namespace

IniSettingsStore::IniSettingsStore() = default;

IniSettingsStore::~IniSettingsStore()
{
    // What was given and never flushed is written now; there is no one left to tell of a
    // failure, and the file then stays as it was.
    try {
        Flush();
    } catch (const RuntimeError &) { }
}

QString IniSettingsStore::fileName(const QString &app)
{
    return engine::settingsFilePath(app, configFolder());
}

void IniSettingsStore::setConfigFolder(const QString &folder)
{
    configFolder() = folder;
}

const engine::SettingsFile &IniSettingsStore::current(const QString &app)
{
    const QString path = fileName(app);
    const engine::FileStamp stamp = engine::FileStamp::of(path);
    if (path != m_cachedPath || !(stamp == m_cachedStamp) || !stamp.valid()) {
        QString reason;
        m_cachedPath.clear();
        if (!m_cached.read(path, &reason))
            throw RuntimeError(err::kFileAccess,
                               u"No se pudo leer la configuración de \"%1\": %2. No se "
                               "cambió nada."_s.arg(path, reason));
        // A missing file is never kept: it may appear with any time stamp.
        m_cachedPath = stamp.valid() ? path : QString();
        m_cachedStamp = stamp;
    }
    return m_cached;
}

void IniSettingsStore::SaveSetting(const QString &app, const QString &section, const QString &key,
                                   const QString &value)
{
    if (!m_pendingApp.isEmpty() && m_pendingApp != app)
        Flush();
    m_pendingApp = app;
    m_pending.setValue(section, key, value);
}

QString IniSettingsStore::GetSetting(const QString &app, const QString &section, const QString &key)
{
    if (m_pendingApp == app) {
        if (auto value = m_pending.value(section, key))
            return *value;
    }
    return current(app).value(section, key).value_or(QString());
}

void IniSettingsStore::DeleteSetting(const QString &app)
{
    if (m_pendingApp == app) {
        m_pendingApp.clear();
        m_pending.clear();
    }
    const QString path = fileName(app);
    engine::SettingsFile file = readForWriting(path);
    // Nothing stored, nothing to erase (and no file is made just to be empty).
    if (file.isEmpty())
        return;
    file.clear();
    m_cachedPath.clear();
    writeOrThrow(file, path);
}

void IniSettingsStore::Flush()
{
    if (m_pendingApp.isEmpty())
        return;
    // Taken out first: a write that fails leaves nothing pending to be read back or written
    // later unasked.
    const QString app = std::exchange(m_pendingApp, QString());
    const engine::SettingsFile pending = std::exchange(m_pending, engine::SettingsFile());
    const QString path = fileName(app);
    // Merged into the file as it is now, so keys another program stored meanwhile stay.
    engine::SettingsFile file = readForWriting(path);
    file.merge(pending);
    m_cachedPath.clear();
    writeOrThrow(file, path);
}

QStringList QtFileDialogs::GetOpenFileNames(const QString &title, const QString &filter,
                                            const QString &start)
{
    return QFileDialog::getOpenFileNames(m_parent, title, start, filter);
}

QString QtFileDialogs::GetExistingDirectory(const QString &title, const QString &start)
{
    return QFileDialog::getExistingDirectory(m_parent, title, start);
}

QString QtFileDialogs::GetSaveFileName(const QString &title, const QString &filters,
                                       const QString &start, QString *selectedFilter)
{
    return QFileDialog::getSaveFileName(m_parent, title, start, filters, selectedFilter);
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
