// SPDX-License-Identifier: GPL-3.0-or-later
#include "webp_writer.h"

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
        m_file = detail::openStripFile(path, reason);
        if (!m_file)
            return false;
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
        QImageWriter writer(m_file.get(), "webp");
        writer.setQuality(m_quality);
        bool ok = writer.write(m_strip);
        if (!ok)
            *reason = m_file->error() != QFileDevice::NoError ? detail::writeFailure(*m_file)
                                                              : writer.errorString();
        m_strip = QImage();
        if (ok) {
            ok = m_file->commit();
            if (!ok)
                *reason = detail::writeFailure(*m_file);
        } else {
            m_file->cancelWriting();
        }
        m_file.reset();
        return ok;
    }

    void cancel() override
    {
        m_strip = QImage();
        if (m_file)
            m_file->cancelWriting();
        m_file.reset();
    }

private:
    const int m_quality;
    std::unique_ptr<QSaveFile> m_file;
    QImage m_strip;
};

} // namespace

std::unique_ptr<StripWriter> makeWebpWriter(int quality)
{
    return std::make_unique<WebpWriter>(quality);
}

} // namespace engine
