// SPDX-License-Identifier: GPL-3.0-or-later
#include "png_chunks.h"

#include "working_set.h"

#include <QCoreApplication>
#include <QtEndian>

#include <cstring>

namespace engine {

namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
constexpr qint64 kSignatureBytes = 8;
// Length 0, "IEND" and its CRC.
constexpr char kEnd[] = "\0\0\0\0IEND\xae\x42\x60\x82";
constexpr qint64 kEndBytes = 12;

bool isText(const char *type)
{
    return std::memcmp(type, "tEXt", 4) == 0 || std::memcmp(type, "zTXt", 4) == 0
        || std::memcmp(type, "iTXt", 4) == 0;
}

} // namespace

bool isPng(QFile &file)
{
    char head[kSignatureBytes];
    return file.peek(head, kSignatureBytes) == kSignatureBytes
        && std::memcmp(head, kSignature, kSignatureBytes) == 0;
}

void PngWithoutText::keep(qint64 at, qint64 length)
{
    if (length <= 0)
        return;
    if (at >= 0 && !m_pieces.isEmpty() && m_pieces.last().at >= 0
        && m_pieces.last().at + m_pieces.last().length == at)
        m_pieces.last().length += length;
    else
        m_pieces.append({ at, length });
    m_size += length;
}

bool PngWithoutText::openOn(QFile &file, QString *reason)
{
    m_file = &file;
    m_pieces.clear();
    m_size = 0;
    const qint64 fileSize = file.size();
    keep(0, kSignatureBytes);
    qint64 at = kSignatureBytes;
    qint64 metadata = 0;
    bool data = false;
    for (int chunks = 0;; ++chunks) {
        char header[8];
        if (!file.seek(at) || file.read(header, 8) != 8) {
            keep(at, fileSize - at); // broken off: Qt says so
            break;
        }
        const qint64 length = qFromBigEndian<quint32>(header);
        const qint64 end = at + 12 + length;
        const bool imageData = std::memcmp(header + 4, "IDAT", 4) == 0;
        if (data && !imageData) {
            // Whatever follows the image data is never needed for the picture.
            keep(-1, kEndBytes);
            break;
        }
        if (chunks >= kMaxPngChunks) {
            *reason
                = QCoreApplication::translate("engine", "the PNG picture has more than %1 chunks")
                      .arg(kMaxPngChunks);
            return false;
        }
        data = imageData;
        const bool ancillary = (header[4] & 0x20) != 0;
        if (ancillary && !isText(header + 4)) {
            metadata += length;
            if (metadata > kMaxPngMetadataBytes) {
                *reason = QCoreApplication::translate("engine",
                                                      "the PNG picture's metadata passes %1 MB")
                              .arg(kMaxPngMetadataBytes / kMega);
                return false;
            }
        }
        if (end > fileSize) {
            keep(at, fileSize - at);
            break;
        }
        if (!isText(header + 4))
            keep(at, end - at);
        if (std::memcmp(header + 4, "IEND", 4) == 0)
            break;
        at = end;
    }
    file.seek(0);
    return QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 PngWithoutText::readData(char *data, qint64 maxSize)
{
    qint64 done = 0;
    qint64 start = 0; // where the current piece begins in what is handed over
    const qint64 from = pos();
    for (const Piece &piece : std::as_const(m_pieces)) {
        const qint64 at = from + done;
        if (done == maxSize)
            break;
        if (at >= start + piece.length) {
            start += piece.length;
            continue;
        }
        const qint64 offset = at - start;
        const qint64 count = std::min(piece.length - offset, maxSize - done);
        if (piece.at < 0) {
            std::memcpy(data + done, kEnd + offset, size_t(count));
        } else if (!m_file->seek(piece.at + offset) || m_file->read(data + done, count) != count) {
            return done > 0 ? done : -1;
        }
        done += count;
        start += piece.length;
    }
    return done;
}

} // namespace engine
