// SPDX-License-Identifier: GPL-3.0-or-later
#include "strip_writer.h"

#include <QCoreApplication>

#include "bmp.h"
#include "jpeg_writer.h"
#include "png_writer.h"
#include "save_file.h"
#include "webp_writer.h"

#include <cstring>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

// Today's 24-bit BMP, which may be filled in any order.
class BmpStripWriter final : public StripWriter
{
public:
    bool open(const QString &path, QSize size, QString *reason) override
    {
        return m_bmp.open(path, size, reason);
    }
    bool writeRows(int top, const QImage &image, QString *reason) override
    {
        return m_bmp.writeRows(top, image, reason);
    }
    bool writesFromManyThreads() const override { return true; }
    bool writeRowsAt(int top, const QImage &image, QString *reason) const override
    {
        return m_bmp.writeRowsAt(top, image, reason);
    }
    bool commit(QString *reason) override { return m_bmp.commit(reason, m_group); }
    void cancel() override { m_bmp.cancel(); }

private:
    BmpWriter m_bmp;
};

} // namespace

// Never reached: callers ask writesFromManyThreads() first.
bool StripWriter::writeRowsAt(int, const QImage &, QString *reason) const
{
    *reason = QCoreApplication::translate("engine", "write error");
    return false;
}

bool StripWriter::openStream(QIODevice *, QSize, QString *reason)
{
    *reason = QCoreApplication::translate("engine", "this format cannot be written as a stream");
    return false;
}

bool formatStreams(StripFormat format)
{
    return format == StripFormat::Png || format == StripFormat::Jpeg;
}

std::unique_ptr<StripWriter> makeStripWriter(StripFormat format, int quality)
{
    switch (format) {
    case StripFormat::Png:
        return makePngWriter();
    case StripFormat::Jpeg:
        return makeJpegWriter(quality);
    case StripFormat::Webp:
        return makeWebpWriter(quality);
    case StripFormat::Bmp:
        break;
    }
    return std::make_unique<BmpStripWriter>();
}

bool saveStrip(const QImage &image, const QString &path, StripFormat format, QString *reason,
               int quality)
{
    if (const QString problem = formatLimitProblem(format, image.size()); !problem.isEmpty()) {
        *reason = problem;
        return false;
    }
    const std::unique_ptr<StripWriter> writer = makeStripWriter(format, quality);
    if (!writer->open(path, image.size(), reason))
        return false;
    return writer->writeRows(0, image, reason) && writer->commit(reason);
}

namespace detail {

StripSink::StripSink() = default;
StripSink::~StripSink() = default;

bool StripSink::openFile(const QString &path, QString *reason)
{
    cancel();
    m_file = std::make_unique<SaveFile>(path);
    if (m_file->open(reason))
        return true;
    m_file.reset();
    return false;
}

void StripSink::openStream(QIODevice *stream)
{
    cancel();
    m_stream = stream;
}

bool StripSink::write(const char *data, qint64 length, QString *reason)
{
    if (m_file)
        return m_file->write(QByteArrayView(data, length), reason);
    if (m_stream && m_stream->write(data, length) == length)
        return true;
    const QString why = m_stream ? m_stream->errorString() : QString();
    *reason = why.isEmpty() ? QCoreApplication::translate("engine", "write error") : why;
    return false;
}

bool StripSink::commit(QString *reason, SaveGroup *group)
{
    bool ok = true;
    if (m_file && group) {
        group->hold(std::move(m_file));
    } else if (m_file) {
        ok = m_file->commit(reason);
    } else if (auto *file = qobject_cast<QFileDevice *>(m_stream); file && !file->flush()) {
        ok = false;
        *reason = SaveFile::failure(*file);
    }
    m_file.reset();
    m_stream = nullptr;
    return ok;
}

void StripSink::cancel()
{
    m_file.reset(); // drops the unfinished file
    m_stream = nullptr;
}

void packRgbRow(const QImage &image, int y, unsigned char *out, int width)
{
    const int have = std::clamp(image.width(), 0, width);
    if (image.format() == QImage::Format_RGB888) {
        std::memcpy(out, image.constScanLine(y), std::size_t(have) * 3);
    } else {
        const auto *in = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        unsigned char *pixel = out;
        for (int x = 0; x < have; ++x, pixel += 3) {
            pixel[0] = static_cast<unsigned char>(qRed(in[x]));
            pixel[1] = static_cast<unsigned char>(qGreen(in[x]));
            pixel[2] = static_cast<unsigned char>(qBlue(in[x]));
        }
    }
    std::memset(out + std::size_t(have) * 3, 0, std::size_t(width - have) * 3);
}

QImage packable(const QImage &image)
{
    switch (image.format()) {
    case QImage::Format_RGB888:
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return image;
    default:
        return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32);
    }
}

} // namespace detail

} // namespace engine
