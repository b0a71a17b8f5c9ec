// SPDX-License-Identifier: GPL-3.0-or-later
#include "bmp.h"

#include "pool.h"
#include "save_file.h"

#include <QCoreApplication>
#include <QtEndian>

#include <bit>
#include <cerrno>
#include <cstring>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

void put16(char *at, quint16 value)
{
    qToLittleEndian(value, at);
}

void put32(char *at, quint32 value)
{
    qToLittleEndian(value, at);
}

// One image row as BMP bytes: blue, green, red per pixel, zero padding.
void packRow(const QImage &image, int y, char *out, qint64 stride)
{
    const int width = std::min(image.width(), int(stride / 3));
    // Only what no pixel covers: the padding, and the columns past the image.
    std::memset(out + 3 * qint64(width), 0, size_t(stride - 3 * qint64(width)));
    if (image.format() == QImage::Format_RGB888) {
        const uchar *in = image.constScanLine(y);
        for (int x = 0; x < width; ++x, in += 3, out += 3) {
            out[0] = char(in[2]);
            out[1] = char(in[1]);
            out[2] = char(in[0]);
        }
        return;
    }
    const auto *in = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    int x = 0;
    if constexpr (std::endian::native == std::endian::little) {
        // A 32-bit pixel lies in memory as blue, green, red, alpha: its first three bytes are
        // the BMP's. One 4-byte move per pixel, the fourth byte overwritten by the next pixel,
        // instead of three shifts and three byte stores; the last pixel is done by bytes.
        for (; x + 1 < width; ++x, out += 3)
            std::memcpy(out, in + x, 4);
    }
    for (; x < width; ++x, out += 3) {
        out[0] = char(qBlue(in[x]));
        out[1] = char(qGreen(in[x]));
        out[2] = char(qRed(in[x]));
    }
}

// Rows are packed and written in chunks of about this size.
constexpr qint64 kChunkBytes = 1 << 20;

// An image with at least this many bytes of rows is packed and written by several threads.
constexpr qint64 kParallelBytes = qint64(16) << 20;

} // namespace

QByteArray bmpHeader(QSize size)
{
    const quint32 image = quint32(bmpRowStride(size.width()) * size.height());
    QByteArray header(kBmpHeaderBytes, '\0');
    char *h = header.data();
    h[0] = 'B';
    h[1] = 'M';
    put32(h + 2, quint32(kBmpHeaderBytes) + image); // file size
    put32(h + 10, kBmpHeaderBytes); // offset of the pixels
    put32(h + 14, 40); // information header size
    put32(h + 18, quint32(size.width()));
    put32(h + 22, quint32(size.height())); // positive: rows run bottom-up
    put16(h + 26, 1); // planes
    put16(h + 28, 24); // bits per pixel
    put32(h + 30, 0); // no compression
    put32(h + 34, image);
    return header;
}

BmpWriter::BmpWriter() = default;

BmpWriter::~BmpWriter()
{
    cancel();
}

bool BmpWriter::open(const QString &path, QSize size, QString *reason)
{
    cancel();
    m_size = size;
    m_file = std::make_unique<SaveFile>(path);
    const qint64 total = kBmpHeaderBytes + bmpRowStride(size.width()) * size.height();
    if (!m_file->open(reason) || !m_file->write(bmpHeader(size), reason)
        || !m_file->resize(total, reason)) {
        m_file.reset();
        return false;
    }
    m_stride = bmpRowStride(size.width());
    return true;
}

bool BmpWriter::writeRows(int top, const QImage &image, QString *reason)
{
    const qint64 rows
        = std::min<qint64>(qint64(top) + image.height(), m_size.height()) - std::max(top, 0);
    const bool ok = m_file && rows * m_stride >= kParallelBytes
        ? writeRowsInBands(top, image, reason)
        : writeRowsAt(top, image, reason);
    if (!ok)
        cancel();
    return ok;
}

// A large image (a whole strip being saved) is cut into one band of rows per core, each
// packed and written at its own place by its own worker.
bool BmpWriter::writeRowsInBands(int top, const QImage &image, QString *reason) const
{
    const int first = std::max(top, 0);
    const int last = int(std::min<qint64>(qint64(top) + image.height(), m_size.height())) - 1;
    const int bands = WorkerPool::defaultThreads();
    const int rowsPerBand = (last - first + 1 + bands - 1) / bands;
    const int used = (last - first + rowsPerBand) / rowsPerBand;
    return runJobs(
        used, bands,
        [&](int b, QString *why) {
            const int from = first + b * rowsPerBand;
            const int rows = std::min(rowsPerBand, last + 1 - from);
            // A view of the band's rows, sharing the image's pixels.
            const QImage band(image.constScanLine(from - top), image.width(), rows,
                              image.bytesPerLine(), image.format());
            return writeRowsAt(from, band, why);
        },
        reason);
}

bool BmpWriter::writeRowsAt(int top, const QImage &image, QString *reason) const
{
    if (!m_file) {
        *reason = QCoreApplication::translate("engine", "the file is not open");
        return false;
    }
    const int first = std::max(top, 0);
    const int last = int(std::min<qint64>(qint64(top) + image.height(), m_size.height())) - 1;
    const int fd = m_file->handle();
    const qint64 rowsPerChunk = std::max<qint64>(1, kChunkBytes / m_stride);
    QByteArray chunk;
    for (int row = last; row >= first;) {
        // Bottom-up, as in the file: this chunk's rows lie front to back from `offset`.
        qint64 offset = kBmpHeaderBytes + m_stride * (m_size.height() - 1 - row);
        const int rows = int(std::min<qint64>(rowsPerChunk, row - first + 1));
        chunk.resize(rows * m_stride);
        for (int k = 0; k < rows; ++k, --row)
            packRow(image, row - top, chunk.data() + k * m_stride, m_stride);
        // As in SaveFile::write: a filling disk first takes part of a write, then refuses the
        // rest with the reason.
        for (qint64 done = 0; done < chunk.size();) {
            const ssize_t written
                = ::pwrite(fd, chunk.constData() + done, std::size_t(chunk.size() - done), offset);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                *reason = written < 0 ? systemErrorText(errno)
                                      : QCoreApplication::translate("engine", "write error");
                return false;
            }
            done += written;
            offset += written;
        }
    }
    return true;
}

bool BmpWriter::commit(QString *reason, SaveGroup *group)
{
    if (!m_file) {
        *reason = QCoreApplication::translate("engine", "the file is not open");
        return false;
    }
    if (group) {
        group->hold(std::move(m_file));
        return true;
    }
    const bool ok = m_file->commit(reason);
    m_file.reset();
    return ok;
}

void BmpWriter::cancel()
{
    m_file.reset(); // drops the unfinished file
}

} // namespace engine
