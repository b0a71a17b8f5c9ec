#include "strip_writer.h"

#include "bmp.h"
#include "jpeg_writer.h"
#include "output_path.h"
#include "png_writer.h"
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
    bool commit(QString *reason) override { return m_bmp.commit(reason); }
    void cancel() override { m_bmp.cancel(); }

private:
    BmpWriter m_bmp;
};

} // namespace

bool StripWriter::writeRowsAt(int, const QImage &, QString *reason) const
{
    *reason = u"este formato se escribe en orden"_s;
    return false;
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

std::unique_ptr<QSaveFile> openStripFile(const QString &path, QString *reason)
{
    if (!checkOutputPath(path, reason))
        return nullptr;
    auto file = std::make_unique<QSaveFile>(path);
    if (!file->open(QIODevice::WriteOnly)) {
        *reason = writeFailure(*file);
        return nullptr;
    }
    return file;
}

QString writeFailure(const QSaveFile &file)
{
    const QString reason = file.errorString();
    return reason.isEmpty() ? u"error de escritura"_s : reason;
}

void packRgbRow(const QImage &image, int y, unsigned char *out, int width)
{
    const int have = std::clamp(image.width(), 0, width);
    if (image.format() == QImage::Format_RGB888) {
        std::memcpy(out, image.constScanLine(y), std::size_t(have) * 3);
    } else {
        const auto *in = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < have; ++x) {
            out[3 * x] = static_cast<unsigned char>(qRed(in[x]));
            out[3 * x + 1] = static_cast<unsigned char>(qGreen(in[x]));
            out[3 * x + 2] = static_cast<unsigned char>(qBlue(in[x]));
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
