// SPDX-License-Identifier: GPL-3.0-or-later
#include "jpeg_writer.h"

#include <QCoreApplication>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

constexpr std::size_t kOutputBuffer = std::size_t(1) << 18;

// libjpeg's state with the parts it calls back into: errors jump back to the writer, compressed
// bytes go to the save file.
struct Compressor
{
    jpeg_compress_struct info {};
    jpeg_error_mgr errors {};
    jpeg_destination_mgr destination {};
    std::jmp_buf jump {};
    char message[JMSG_LENGTH_MAX] {};
    detail::StripSink *sink = nullptr;
    QString writeFailure; // the output's reason, when a write failed
    std::vector<JOCTET> buffer = std::vector<JOCTET>(kOutputBuffer);
};

Compressor &compressorOf(j_common_ptr info)
{
    return *static_cast<Compressor *>(info->client_data);
}

extern "C" void onCompressError(j_common_ptr info)
{
    Compressor &c = compressorOf(info);
    (*info->err->format_message)(info, c.message);
    std::longjmp(c.jump, 1);
}

extern "C" void onCompressMessage(j_common_ptr, int) { }

extern "C" void onCompressStart(j_compress_ptr info)
{
    Compressor &c = compressorOf(reinterpret_cast<j_common_ptr>(info));
    c.destination.next_output_byte = c.buffer.data();
    c.destination.free_in_buffer = c.buffer.size();
}

bool flush(Compressor &c, std::size_t bytes)
{
    return c.sink->write(reinterpret_cast<const char *>(c.buffer.data()), qint64(bytes),
                         &c.writeFailure);
}

extern "C" boolean onCompressFull(j_compress_ptr info)
{
    Compressor &c = compressorOf(reinterpret_cast<j_common_ptr>(info));
    if (!flush(c, c.buffer.size()))
        ERREXIT(info, JERR_FILE_WRITE);
    onCompressStart(info);
    return TRUE;
}

extern "C" void onCompressEnd(j_compress_ptr info)
{
    Compressor &c = compressorOf(reinterpret_cast<j_common_ptr>(info));
    if (!flush(c, c.buffer.size() - c.destination.free_in_buffer))
        ERREXIT(info, JERR_FILE_WRITE);
}

class JpegWriter final : public StripWriter
{
public:
    explicit JpegWriter(int quality) : m_quality(std::clamp(quality, 1, 100)) { }
    ~JpegWriter() override { cancel(); }

    bool open(const QString &path, QSize size, QString *reason) override
    {
        cancel();
        return m_sink.openFile(path, reason) && start(size, reason);
    }

    bool openStream(QIODevice *stream, QSize size, QString *reason) override
    {
        cancel();
        m_sink.openStream(stream);
        return start(size, reason);
    }

    // Starts compressing a strip of `size` into the sink just opened.
    bool start(QSize size, QString *reason)
    {
        m_size = size;
        m_next = 0;
        m_row.assign(std::size_t(size.width()) * 3, 0);
        m_c = std::make_unique<Compressor>();
        m_c->sink = &m_sink;
        m_c->info.client_data = m_c.get();
        m_c->info.err = jpeg_std_error(&m_c->errors);
        m_c->errors.error_exit = onCompressError;
        m_c->errors.emit_message = onCompressMessage;
        m_c->destination.init_destination = onCompressStart;
        m_c->destination.empty_output_buffer = onCompressFull;
        m_c->destination.term_destination = onCompressEnd;
        if (setjmp(m_c->jump))
            return failed(reason);
        jpeg_create_compress(&m_c->info);
        m_created = true;
        m_c->info.dest = &m_c->destination;
        m_c->info.image_width = JDIMENSION(size.width());
        m_c->info.image_height = JDIMENSION(size.height());
        m_c->info.input_components = 3;
        m_c->info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&m_c->info); // baseline, 4:2:0, Huffman tables of the standard
        jpeg_set_quality(&m_c->info, m_quality, TRUE);
        jpeg_start_compress(&m_c->info, TRUE);
        return true;
    }

    bool writeRows(int top, const QImage &image, QString *reason) override
    {
        if (!m_c) {
            *reason = QCoreApplication::translate("engine", "the file is not open");
            return false;
        }
        if (top != m_next) {
            *reason = QCoreApplication::translate("engine", "the JPEG rows come out of order");
            cancel();
            return false;
        }
        const QImage rows = detail::packable(image);
        const int last = std::min(top + rows.height(), m_size.height());
        if (setjmp(m_c->jump))
            return failed(reason);
        for (; m_next < last; ++m_next) {
            detail::packRgbRow(rows, m_next - top, m_row.data(), m_size.width());
            JSAMPROW row = m_row.data();
            jpeg_write_scanlines(&m_c->info, &row, 1);
        }
        return true;
    }

    bool commit(QString *reason) override
    {
        if (!m_c) {
            *reason = QCoreApplication::translate("engine", "the file is not open");
            return false;
        }
        std::fill(m_row.begin(), m_row.end(), 0);
        if (setjmp(m_c->jump))
            return failed(reason);
        for (; m_next < m_size.height(); ++m_next) {
            JSAMPROW row = m_row.data();
            jpeg_write_scanlines(&m_c->info, &row, 1);
        }
        jpeg_finish_compress(&m_c->info);
        jpeg_destroy_compress(&m_c->info);
        m_created = false;
        m_c.reset();
        return m_sink.commit(reason, m_group);
    }

    void cancel() override
    {
        if (m_c && m_created)
            jpeg_destroy_compress(&m_c->info);
        m_created = false;
        m_c.reset();
        m_sink.cancel();
    }

private:
    bool failed(QString *reason)
    {
        *reason = !m_c->writeFailure.isEmpty()
            ? m_c->writeFailure
            : QCoreApplication::translate("engine", "JPEG compressor error (%1)")
                  .arg(QString::fromLocal8Bit(m_c->message));
        cancel();
        return false;
    }

    const int m_quality;
    detail::StripSink m_sink;
    std::unique_ptr<Compressor> m_c;
    bool m_created = false;
    QSize m_size;
    int m_next = 0;
    std::vector<unsigned char> m_row;
};

} // namespace

std::unique_ptr<StripWriter> makeJpegWriter(int quality)
{
    return std::make_unique<JpegWriter>(quality);
}

} // namespace engine
