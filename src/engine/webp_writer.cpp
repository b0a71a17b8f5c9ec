// SPDX-License-Identifier: GPL-3.0-or-later
#include "webp_writer.h"

#include "save_file.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageWriter>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

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
                "engine", "falta el complemento WebP de Qt (qt6-image-formats-plugins)");
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
                                                  "no hay memoria para una tira de %1 × %2 píxeles")
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
            *reason = QCoreApplication::translate("engine", "el archivo no está abierto");
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
            *reason = QCoreApplication::translate("engine", "el archivo no está abierto");
            return false;
        }
        // Encoded in memory, then written whole: the plug-in takes a short write for a failed
        // encoding and loses the system's reason.
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "webp");
        writer.setQuality(m_quality);
        const bool encoded = writer.write(m_strip);
        m_strip = QImage();
        if (!encoded)
            *reason = writer.errorString();
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

std::unique_ptr<StripWriter> makeWebpWriter(int quality)
{
    return std::make_unique<WebpWriter>(quality);
}

} // namespace engine
