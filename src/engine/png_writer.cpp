// SPDX-License-Identifier: GPL-3.0-or-later
#include "png_writer.h"

#include "pool.h"

#include <QCoreApplication>
#include <QtEndian>

#include <isa-l/igzip_lib.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

// ISA-L's deflate at its fast level: on photos it compresses as well as zlib's fast levels at
// several times their speed, so the writer keeps up with the decoders.
constexpr int kCompressionLevel = 1;
// Rows are compressed in bands of about this size, each its own raw deflate stream on a worker.
// The band follows from the width alone, so the bytes never depend on the number of threads;
// each band's fresh dictionary costs a few hundred bytes against a megabyte of pixels.
constexpr std::size_t kBandBytes = std::size_t(1) << 20;
constexpr unsigned char kFilterSub = 1;
constexpr int kMaxDefaultThreads = 4;

constexpr std::array<unsigned char, 8> kSignature { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' };

// The two bytes that open the zlib stream the bands make up: deflate with a 32 KiB window,
// flagged as the fastest compressor class, the pair a multiple of 31 as the format checks.
constexpr std::array<unsigned char, 2> kZlibHeader { 0x78, 0x01 };
static_assert((kZlibHeader[0] * 256 + kZlibHeader[1]) % 31 == 0);

// One band of rows, each row a filter byte and its RGB pixels, and what a worker made of it.
struct Band
{
    std::vector<unsigned char> rows;
    bool last = false;
    // Set by the worker, read by the writer once `done`.
    std::vector<unsigned char> deflated;
    std::size_t length = 0; // of the filtered rows, for the running checksum
    uLong adler = 0;
    uLong crc = 0; // of the chunk type and `deflated`, as the IDAT chunk needs it
    bool ok = false;
    bool done = false;
};

// The left-neighbour filter, in place: each byte less the same channel of the pixel before.
void filterSub(unsigned char *row, std::size_t pixelBytes)
{
    for (std::size_t i = pixelBytes; i-- > 3;)
        row[i] = static_cast<unsigned char>(row[i] - row[i - 3]);
}

// Filters and compresses `band` as a raw deflate stream that either ends byte-aligned with a
// sync flush, so the next band's stream can follow it, or, for the last band, finishes the data.
void compressBand(Band &band, std::size_t rowBytes)
{
    for (std::size_t at = 0; at + rowBytes <= band.rows.size(); at += rowBytes)
        filterSub(band.rows.data() + at + 1, rowBytes - 1);
    band.length = band.rows.size();
    band.adler = adler32_z(adler32_z(0, nullptr, 0), band.rows.data(), band.length);

    const auto stream = std::make_unique<isal_zstream>();
    std::vector<std::uint8_t> levelBuffer(ISAL_DEF_LVL1_DEFAULT);
    isal_deflate_init(stream.get());
    stream->level = kCompressionLevel;
    stream->level_buf = levelBuffer.data();
    stream->level_buf_size = std::uint32_t(levelBuffer.size());
    stream->flush = SYNC_FLUSH;
    stream->end_of_stream = band.last ? 1 : 0;
    stream->next_in = band.rows.data();
    stream->avail_in = std::uint32_t(band.length);
    // Room for incompressible data in stored blocks and the flush marker; grown if ever short.
    band.deflated.resize(band.length + band.length / 16 + 1024);
    std::size_t produced = 0;
    for (;;) {
        stream->next_out = band.deflated.data() + produced;
        stream->avail_out = std::uint32_t(band.deflated.size() - produced);
        if (isal_deflate(stream.get()) != COMP_OK)
            break;
        produced = band.deflated.size() - stream->avail_out;
        const int state = stream->internal_state.state;
        if (band.last ? state == ZSTATE_END : stream->avail_in == 0 && state == ZSTATE_NEW_HDR) {
            band.ok = true;
            break;
        }
        if (stream->avail_out > 0)
            break; // stopped short with room left: a fault, not a full buffer
        band.deflated.resize(band.deflated.size() * 2);
    }
    band.deflated.resize(produced);
    band.rows = {}; // the pixels are no longer needed; keep memory to the bands in flight
    const auto *type = reinterpret_cast<const Bytef *>("IDAT");
    band.crc = crc32_z(crc32_z(crc32_z(0, nullptr, 0), type, 4), band.deflated.data(), produced);
}

class PngWriter final : public StripWriter
{
public:
    explicit PngWriter(int threads) : m_pool(threads) { }
    ~PngWriter() override { cancel(); }

    bool open(const QString &path, QSize size, QString *reason) override
    {
        cancel();
        return fits(size, reason) && m_sink.openFile(path, reason) && start(size, reason);
    }

    bool openStream(QIODevice *stream, QSize size, QString *reason) override
    {
        cancel();
        if (!fits(size, reason))
            return false;
        m_sink.openStream(stream);
        return start(size, reason);
    }

    bool writeRows(int top, const QImage &image, QString *reason) override
    {
        if (!m_sink.isOpen()) {
            *reason = QCoreApplication::translate("engine", "the file is not open");
            return false;
        }
        if (top != m_next) {
            *reason = QCoreApplication::translate("engine", "the PNG rows come out of order");
            cancel();
            return false;
        }
        const QImage rows = detail::packable(image);
        const int last = std::min(top + rows.height(), m_size.height());
        while (m_next < last) {
            unsigned char *row = m_band->rows.data() + rowOffset(m_next);
            row[0] = kFilterSub;
            detail::packRgbRow(rows, m_next - top, row + 1, m_size.width());
            if (!rowDone(reason))
                return false;
        }
        return true;
    }

    bool commit(QString *reason) override
    {
        if (!m_sink.isOpen()) {
            *reason = QCoreApplication::translate("engine", "the file is not open");
            return false;
        }
        // Rows never written stay black; their filter byte still has to be there.
        while (m_next < m_size.height()) {
            m_band->rows[rowOffset(m_next)] = kFilterSub;
            if (!rowDone(reason))
                return false;
        }
        if (!drain(0, reason))
            return false;
        std::array<unsigned char, 4> adler {};
        qToBigEndian(quint32(m_adler), adler.data());
        if (!writeChunk("IDAT", adler.data(), adler.size(), reason)
            || !writeChunk("IEND", nullptr, 0, reason)) {
            cancel();
            return false;
        }
        m_band.reset();
        return m_sink.commit(reason, m_group);
    }

    void cancel() override
    {
        // Bands still queued are dropped; running ones finish on their own copy of the band.
        m_pool.clear();
        m_inFlight.clear();
        m_band.reset();
        m_sink.cancel();
    }

private:
    // Sizes a PNG cannot have are refused before anything is written.
    static bool fits(QSize size, QString *reason)
    {
        if (size.width() < 1 || size.height() < 1) {
            *reason = QCoreApplication::translate("engine", "a PNG cannot be %1 × %2 pixels")
                          .arg(size.width())
                          .arg(size.height());
            return false;
        }
        if (1 + std::size_t(size.width()) * 3 > std::size_t(kMaxPngChunkBytes) / 2) {
            *reason = QCoreApplication::translate("engine", "a PNG cannot have rows of %1 pixels")
                          .arg(size.width());
            return false;
        }
        return true;
    }

    // Writes the header of a strip of `size` into the sink just opened.
    bool start(QSize size, QString *reason)
    {
        m_size = size;
        m_rowBytes = 1 + std::size_t(size.width()) * 3;
        m_next = 0;
        m_bandTop = 0;
        m_bandRows = std::min(pngBandRows(size.width()), size.height());
        m_adler = adler32_z(0, nullptr, 0);
        m_inFlight.clear();

        std::array<unsigned char, 13> header {};
        qToBigEndian(quint32(size.width()), header.data());
        qToBigEndian(quint32(size.height()), header.data() + 4);
        header[8] = 8; // bits per channel
        header[9] = 2; // RGB; compression, filter and interlace methods stay 0
        if (!writeBytes(kSignature.data(), kSignature.size(), reason)
            || !writeChunk("IHDR", header.data(), header.size(), reason)
            || !writeChunk("IDAT", kZlibHeader.data(), kZlibHeader.size(), reason)) {
            cancel();
            return false;
        }
        return startBand(reason);
    }

    std::size_t rowOffset(int y) const { return std::size_t(y - m_bandTop) * m_rowBytes; }

    // A new band for the rows from m_next, zeroed so rows never written come out black.
    bool startBand(QString *reason)
    {
        m_bandTop = m_next;
        const int rows = std::min(m_bandRows, m_size.height() - m_bandTop);
        m_band = std::make_shared<Band>();
        m_bandEnd = m_bandTop + rows;
        m_band->last = m_bandEnd == m_size.height();
        try {
            m_band->rows.assign(std::size_t(rows) * m_rowBytes, 0);
        } catch (const std::bad_alloc &) {
            *reason = QCoreApplication::translate("engine", "out of memory for the PNG compressor");
            cancel();
            return false;
        }
        return true;
    }

    // Moves on past row m_next; a full band goes to a worker.
    bool rowDone(QString *reason)
    {
        ++m_next;
        return m_next < m_bandEnd || sendBand(reason);
    }

    // Hands the full band to a worker and starts the next one, writing finished bands first
    // so that at most two per thread are held at any time.
    bool sendBand(QString *reason)
    {
        const std::shared_ptr<Band> band = std::move(m_band);
        m_inFlight.push_back(band);
        m_pool.post([this, band, rowBytes = m_rowBytes] {
            try {
                compressBand(*band, rowBytes);
            } catch (...) {
                band->ok = false; // said by the writer as it reaches this band
            }
            {
                std::lock_guard lock(m_mutex);
                band->done = true;
            }
            m_finished.notify_all();
        });
        if (!drain(2 * std::size_t(m_pool.size()), reason))
            return false;
        return band->last || startBand(reason);
    }

    // Writes finished bands in order until at most `keep` are in flight, waiting for them if
    // need be; with keep 0, every band.
    bool drain(std::size_t keep, QString *reason)
    {
        while (!m_inFlight.empty()) {
            const std::shared_ptr<Band> band = m_inFlight.front();
            {
                std::unique_lock lock(m_mutex);
                if (m_inFlight.size() <= keep && !band->done)
                    return true;
                m_finished.wait(lock, [&] { return band->done; });
            }
            m_inFlight.pop_front();
            if (!band->ok) {
                *reason
                    = QCoreApplication::translate("engine", "out of memory for the PNG compressor");
                cancel();
                return false;
            }
            m_adler = adler32_combine(m_adler, band->adler, z_off_t(band->length));
            if (!writeChunk("IDAT", band->deflated.data(), band->deflated.size(), reason,
                            band->crc)) {
                cancel();
                return false;
            }
        }
        return true;
    }

    bool writeBytes(const void *data, std::size_t length, QString *reason)
    {
        return m_sink.write(static_cast<const char *>(data), qint64(length), reason);
    }

    // A chunk: length, type, data and the CRC of type and data (given when a worker has it).
    bool writeChunk(const char *type, const unsigned char *data, std::size_t length,
                    QString *reason, std::optional<uLong> crc = std::nullopt)
    {
        std::array<unsigned char, 8> head {};
        qToBigEndian(quint32(length), head.data());
        std::copy_n(type, 4, head.begin() + 4);
        if (!crc) {
            crc = crc32_z(crc32_z(0, nullptr, 0), head.data() + 4, 4);
            if (length > 0) // zlib takes a null buffer as a request for the starting value
                crc = crc32_z(*crc, data, length);
        }
        std::array<unsigned char, 4> tail {};
        qToBigEndian(quint32(*crc), tail.data());
        return writeBytes(head.data(), head.size(), reason)
            && (length == 0 || writeBytes(data, length, reason))
            && writeBytes(tail.data(), tail.size(), reason);
    }

    detail::StripSink m_sink;
    QSize m_size;
    std::size_t m_rowBytes = 0;
    int m_next = 0;
    int m_bandTop = 0;
    int m_bandRows = 1;
    int m_bandEnd = 0;
    uLong m_adler = 0;
    std::shared_ptr<Band> m_band; // being filled
    std::deque<std::shared_ptr<Band>> m_inFlight; // sent to the workers, in row order
    std::mutex m_mutex;
    std::condition_variable m_finished;
    // Last, so its threads are joined before anything they touch goes away.
    WorkerPool m_pool;
};

} // namespace

int pngBandRows(int width)
{
    const std::size_t rowBytes = 1 + std::size_t(std::max(width, 1)) * 3;
    return int(std::max<std::size_t>(kBandBytes / rowBytes, 1));
}

std::unique_ptr<StripWriter> makePngWriter(int threads)
{
    // A core compresses a few times faster than one decodes, so a few threads keep up with
    // any machine's decoders while the bands in flight stay a few megabytes.
    return std::make_unique<PngWriter>(
        threads > 0 ? threads : std::min(WorkerPool::defaultThreads(), kMaxDefaultThreads));
}

} // namespace engine
