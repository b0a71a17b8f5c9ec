#include "png_writer.h"

#include <QCoreApplication>

#include <png.h>

#include <csetjmp>
#include <vector>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

// Fast zlib settings: a strip of photos barely compresses further at higher levels, and the
// writer must keep up with the decoders.
constexpr int kCompressionLevel = 2;
constexpr std::size_t kCompressionBuffer = std::size_t(1) << 18;

class PngWriter final : public StripWriter
{
public:
    ~PngWriter() override { cancel(); }

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

    bool writeRows(int top, const QImage &image, QString *reason) override
    {
        if (!m_png) {
            *reason = QCoreApplication::translate("engine", "el archivo no está abierto");
            return false;
        }
        if (top != m_next) {
            *reason
                = QCoreApplication::translate("engine", "las filas del PNG llegan fuera de orden");
            cancel();
            return false;
        }
        const QImage rows = detail::packable(image);
        const int last = std::min(top + rows.height(), m_size.height());
        return guarded(reason, [&] {
            for (; m_next < last; ++m_next) {
                detail::packRgbRow(rows, m_next - top, m_row.data(), m_size.width());
                png_write_row(m_png, m_row.data());
            }
        });
    }

    bool commit(QString *reason) override
    {
        if (!m_png) {
            *reason = QCoreApplication::translate("engine", "el archivo no está abierto");
            return false;
        }
        std::fill(m_row.begin(), m_row.end(), 0);
        const bool written = guarded(reason, [this] {
            for (; m_next < m_size.height(); ++m_next)
                png_write_row(m_png, m_row.data());
            png_write_end(m_png, nullptr);
        });
        if (!written)
            return false;
        png_destroy_write_struct(&m_png, &m_info);
        return m_sink.commit(reason);
    }

    void cancel() override
    {
        if (m_png)
            png_destroy_write_struct(&m_png, m_info ? &m_info : nullptr);
        m_png = nullptr;
        m_info = nullptr;
        m_sink.cancel();
    }

private:
    // Writes the header of a strip of `size` into the sink just opened.
    bool start(QSize size, QString *reason)
    {
        m_size = size;
        m_next = 0;
        m_row.assign(std::size_t(size.width()) * 3, 0);
        m_png = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, onError, onWarning);
        m_info = m_png ? png_create_info_struct(m_png) : nullptr;
        if (!m_info) {
            *reason = QCoreApplication::translate("engine", "no hay memoria para el compresor PNG");
            cancel();
            return false;
        }
        return guarded(reason, [this] {
            png_set_write_fn(m_png, this, onWrite, nullptr);
            // A strip may be far taller than libpng's default limit of a million rows.
            png_set_user_limits(m_png, 0x7fffffff, 0x7fffffff);
            png_set_compression_level(m_png, kCompressionLevel);
            png_set_filter(m_png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
            png_set_compression_buffer_size(m_png, kCompressionBuffer);
            png_set_IHDR(m_png, m_info, png_uint_32(m_size.width()), png_uint_32(m_size.height()),
                         8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
                         PNG_FILTER_TYPE_BASE);
            png_write_info(m_png, m_info);
        });
    }

    // Runs libpng calls with its errors caught: libpng reports them by a long jump back here,
    // so `work` keeps no object with a destructor alive across its calls.
    template<typename Work> bool guarded(QString *reason, Work &&work)
    {
        m_message.clear();
        if (setjmp(png_jmpbuf(m_png))) {
            *reason = m_message.isEmpty()
                ? QCoreApplication::translate("engine", "error del compresor PNG")
                : m_message;
            cancel();
            return false;
        }
        work();
        return true;
    }

    static void onError(png_structp png, png_const_charp message)
    {
        auto *self = static_cast<PngWriter *>(png_get_error_ptr(png));
        if (self->m_message.isEmpty())
            self->m_message = QString::fromLocal8Bit(message);
        png_longjmp(png, 1);
    }

    static void onWarning(png_structp, png_const_charp) { }

    static void onWrite(png_structp png, png_bytep data, std::size_t length)
    {
        auto *self = static_cast<PngWriter *>(png_get_io_ptr(png));
        if (!self->m_sink.write(reinterpret_cast<const char *>(data), qint64(length))) {
            self->m_message = self->m_sink.failure();
            png_longjmp(png, 1);
        }
    }

    detail::StripSink m_sink;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
    QSize m_size;
    int m_next = 0;
    std::vector<unsigned char> m_row;
    QString m_message;
};

} // namespace

std::unique_ptr<StripWriter> makePngWriter()
{
    return std::make_unique<PngWriter>();
}

} // namespace engine
