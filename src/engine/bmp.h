// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing strips as uncompressed 24-bit BMP files (14-byte file header, 40-byte information
// header, bottom-up rows padded to 4 bytes). Files are written atomically: until commit()
// succeeds the old file at the path stays whole, and a failed write leaves nothing behind.

#include "working_set.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <memory>

namespace engine {

class SaveFile;
class SaveGroup;

inline constexpr int kBmpHeaderBytes = 54;

// The 54 header bytes of a `size` 24-bit BMP.
QByteArray bmpHeader(QSize size);

// A BMP file of known size filled in any order, row by row or frame by frame, so a strip can
// be written without ever being held whole in memory.
class BmpWriter
{
public:
    BmpWriter();
    ~BmpWriter();
    BmpWriter(const BmpWriter &) = delete;
    BmpWriter &operator=(const BmpWriter &) = delete;

    // Starts the file: writes the headers and reserves every row. False with the reason on
    // failure.
    bool open(const QString &path, QSize size, QString *reason);
    // Writes `image`'s rows as the rows from `top` down (top-down numbering), its first
    // min(image width, file width) columns; the rest of each row is black. A failure drops the
    // unfinished file.
    bool writeRows(int top, const QImage &image, QString *reason);
    // The same as writeRows, but safe to call from several threads at once for rows that do
    // not overlap: each call writes at its own offset and never moves the file's position.
    // A failure leaves the file open; the caller cancels it.
    bool writeRowsAt(int top, const QImage &image, QString *reason) const;
    // Makes the file visible under its name. False, with nothing left behind, on failure.
    bool commit(QString *reason, SaveGroup *group = nullptr);
    // Drops the unfinished file; the old one stays.
    void cancel();

private:
    bool writeRowsInBands(int top, const QImage &image, QString *reason) const;

    std::unique_ptr<SaveFile> m_file;
    QSize m_size;
    qint64 m_stride = 0;
};

} // namespace engine
