// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A PNG as Qt's reader is handed it: without its text chunks (Qt's reader inflates every one
// as it reads the header, however many there are) and with nothing after the image data but
// the end chunk. The chunks are walked from their lengths, their data skipped, before Qt sees
// a byte.

#include <QFile>
#include <QIODevice>
#include <QList>
#include <QString>

namespace engine {

// Whether the file starts with PNG's signature (the file's position is kept).
bool isPng(QFile &file);

class PngWithoutText final : public QIODevice
{
public:
    // Walks the chunks of `file` (a PNG). False with the reason when they pass the limits of
    // working_set.h. A chunk list that breaks off is handed over as it is, for Qt to report.
    bool openOn(QFile &file, QString *reason);

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_size; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    // Bytes of the file from `at`, or of the end chunk when `at` is negative.
    struct Piece
    {
        qint64 at = 0;
        qint64 length = 0;
    };
    void keep(qint64 at, qint64 length);

    QFile *m_file = nullptr;
    QList<Piece> m_pieces;
    qint64 m_size = 0;
};

} // namespace engine
