// SPDX-License-Identifier: GPL-3.0-or-later
#include "webp_writer.h"

#include "save_file.h"

#include <QCoreApplication>

#include <webp/encode.h>

#include <algorithm>
#include <cstdint>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

// Where libwebp's bytes go as it produces them, and why the file refused them.
struct Output
{
    SaveFile *file = nullptr;
    QString reason;
};

int writeOut(const uint8_t *data, size_t size, const WebPPicture *picture)
{
    auto *out = static_cast<Output *>(picture->custom_ptr);
    return out->file->write(QByteArrayView(data, qsizetype(size)), &out->reason) ? 1 : 0;
}

class WebpWriter final : public StripWriter
{
public:
    explicit WebpWriter(int quality) : m_quality(std::clamp(quality, 1, 99))
    {
        WebPPictureInit(&m_picture);
    }
    ~WebpWriter() override { cancel(); }

    bool open(const QString &path, QSize size, QString *reason) override
    {
        cancel();
        m_file = std::make_unique<SaveFile>(path);
        if (!m_file->open(reason)) {
            m_file.reset();
            return false;
        }
        // The strip is gathered as 0xAARRGGBB words, which the encoder turns into YUV itself:
        // the same pixels, and so the same bytes, that Qt's WebP plug-in encoded before.
        m_picture.use_argb = 1;
        m_picture.width = size.width();
        m_picture.height = size.height();
        if (!WebPPictureAlloc(&m_picture)) {
            *reason = m_picture.error_code == VP8_ENC_ERROR_OUT_OF_MEMORY
                ? QCoreApplication::translate("engine",
                                              "out of memory for a strip of %1 × %2 pixels")
                      .arg(size.width())
                      .arg(size.height())
                : webpEncoderError(m_picture.error_code);
            cancel();
            return false;
        }
        std::fill_n(m_picture.argb, std::size_t(m_picture.argb_stride) * std::size_t(size.height()),
                    kBlack);
        return true;
    }

    bool writeRows(int top, const QImage &image, QString *reason) override
    {
        return writeRowsAt(top, image, reason);
    }

    // Bands land in the encoder's picture at their rows, so they may come in any order.
    bool writesFromManyThreads() const override { return true; }
    bool writeRowsAt(int top, const QImage &image, QString *reason) const override
    {
        if (!m_file || !m_picture.argb) {
            *reason = QCoreApplication::translate("engine", "the file is not open");
            return false;
        }
        const QImage rows = detail::packable(image);
        const int first = std::max(top, 0);
        const int last = std::min(top + rows.height(), m_picture.height);
        const int width = std::min(rows.width(), m_picture.width);
        for (int y = first; y < last; ++y) {
            uint32_t *out = m_picture.argb + std::size_t(m_picture.argb_stride) * std::size_t(y);
            const uchar *in = rows.constScanLine(y - top);
            if (rows.format() == QImage::Format_RGB888) {
                for (int x = 0; x < width; ++x, in += 3)
                    out[x] = kBlack | uint32_t(in[0]) << 16 | uint32_t(in[1]) << 8 | in[2];
            } else {
                const auto *pixels = reinterpret_cast<const QRgb *>(in);
                for (int x = 0; x < width; ++x)
                    out[x] = kBlack | (pixels[x] & 0xffffffU);
            }
            std::fill(out + width, out + m_picture.width, kBlack);
        }
        return true;
    }

    bool commit(QString *reason) override
    {
        if (!m_file || !m_picture.argb) {
            *reason = QCoreApplication::translate("engine", "the file is not open");
            return false;
        }
        WebPConfig config;
        WebPConfigInit(&config);
        config.quality = float(m_quality);
        Output out { m_file.get(), {} };
        m_picture.writer = writeOut;
        m_picture.custom_ptr = &out;
        const bool encoded = WebPEncode(&config, &m_picture) != 0;
        const WebPEncodingError code = m_picture.error_code;
        WebPPictureFree(&m_picture);
        if (!encoded) {
            *reason = out.reason.isEmpty() ? webpEncoderError(code) : out.reason;
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
        WebPPictureFree(&m_picture);
        WebPPictureInit(&m_picture);
        m_file.reset(); // drops the unfinished file
    }

private:
    static constexpr uint32_t kBlack = 0xff000000U;
    const int m_quality;
    std::unique_ptr<SaveFile> m_file;
    WebPPicture m_picture {};
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
