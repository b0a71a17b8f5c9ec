// SPDX-License-Identifier: GPL-3.0-or-later
#include "webp_writer.h"

#include "save_file.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageWriter>
#include <QRegularExpression>

#include <mutex>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

// Qt's WebP plug-in gives libwebp's error code only in a warning, so the warnings of the thread
// encoding are caught while it encodes; other threads' go on to the handler before.
thread_local QString *caughtWarnings = nullptr;
QtMessageHandler handlerBefore = nullptr;
std::mutex catching;

void catchWarning(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (caughtWarnings)
        caughtWarnings->append(message + u'\n');
    else if (handlerBefore)
        handlerBefore(type, context, message);
}

// Encodes `image` into `writer`; on failure, libwebp's reason when the plug-in told it.
bool encode(QImageWriter &writer, const QImage &image, QString *reason)
{
    QString warnings;
    bool ok = false;
    {
        const std::lock_guard lock(catching);
        handlerBefore = qInstallMessageHandler(catchWarning);
        caughtWarnings = &warnings;
        ok = writer.write(image);
        caughtWarnings = nullptr;
        qInstallMessageHandler(handlerBefore);
    }
    if (!ok) {
        static const QRegularExpression code(QStringLiteral("error code:\\s*(\\d+)"));
        const QRegularExpressionMatch match = code.match(warnings);
        if (match.hasMatch())
            *reason = webpEncoderError(match.captured(1).toInt());
        else if (!warnings.isEmpty())
            *reason = QCoreApplication::translate("engine", "Qt's WebP plug-in says: %1")
                          .arg(warnings.section(u'\n', 0, 0));
        else
            *reason = writer.errorString();
    }
    return ok;
}

class WebpWriter final : public StripWriter
{
public:
    explicit WebpWriter(int quality) : m_quality(std::clamp(quality, 1, 99)) { }
    ~WebpWriter() override { cancel(); }

    bool open(const QString &path, QSize size, QString *reason) override
    {
        cancel();
        if (!QImageWriter::supportedImageFormats().contains("webp")) {
            *reason = QCoreApplication::translate(
                "engine", "Qt's WebP plugin is missing (qt6-image-formats-plugins)");
            return false;
        }
        m_file = std::make_unique<SaveFile>(path);
        if (!m_file->open(reason)) {
            m_file.reset();
            return false;
        }
        m_strip = QImage(size, QImage::Format_RGB888);
        if (m_strip.isNull()) {
            *reason = QCoreApplication::translate("engine",
                                                  "out of memory for a strip of %1 × %2 pixels")
                          .arg(size.width())
                          .arg(size.height());
            cancel();
            return false;
        }
        m_strip.fill(Qt::black);
        return true;
    }

    bool writeRows(int top, const QImage &image, QString *reason) override
    {
        if (!m_file) {
            *reason = QCoreApplication::translate("engine", "the file is not open");
            return false;
        }
        const QImage rows = detail::packable(image);
        const int first = std::max(top, 0);
        const int last = std::min(top + rows.height(), m_strip.height());
        for (int y = first; y < last; ++y)
            detail::packRgbRow(rows, y - top, m_strip.scanLine(y), m_strip.width());
        return true;
    }

    bool commit(QString *reason) override
    {
        if (!m_file) {
            *reason = QCoreApplication::translate("engine", "the file is not open");
            return false;
        }
        // Encoded in memory, then written whole: the plug-in takes a short write for a failed
        // encoding and loses the system's reason.
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "webp");
        writer.setQuality(m_quality);
        const bool encoded = encode(writer, m_strip, reason);
        m_strip = QImage();
        if (!encoded || !m_file->write(bytes, reason)) {
            m_file.reset();
            return false;
        }
        if (m_group) {
            m_group->hold(std::move(m_file));
            return true;
        }
        const bool ok = m_file->commit(reason);
        m_file.reset();
        return ok;
    }

    void cancel() override
    {
        m_strip = QImage();
        m_file.reset(); // drops the unfinished file
    }

private:
    const int m_quality;
    std::unique_ptr<SaveFile> m_file;
    QImage m_strip;
};

} // namespace

QString webpEncoderError(int code)
{
    // The numbers of libwebp's WebPEncodingError.
    switch (code) {
    case 1:
    case 2:
        return QCoreApplication::translate("engine", "the WebP encoder ran out of memory");
    case 5:
        return QCoreApplication::translate("engine",
                                           "the WebP encoder does not take the strip's size");
    case 6:
        return QCoreApplication::translate(
            "engine",
            "the WebP encoder's first partition passes 512 KB: use fewer columns, a smaller frame, "
            "or save it as JPEG (.jpg) or PNG (.png)");
    case 7:
        return QCoreApplication::translate(
            "engine",
            "a partition of the WebP encoder passes 16 MB: use a smaller frame, or save it as JPEG "
            "(.jpg) or PNG (.png)");
    case 8:
        return QCoreApplication::translate("engine", "the WebP file could not be written");
    case 9:
        return QCoreApplication::translate("engine", "the WebP file would pass 4 GB");
    default:
        return QCoreApplication::translate("engine", "the WebP encoder failed (error %1)")
            .arg(code);
    }
}

std::unique_ptr<StripWriter> makeWebpWriter(int quality)
{
    return std::make_unique<WebpWriter>(quality);
}

} // namespace engine
