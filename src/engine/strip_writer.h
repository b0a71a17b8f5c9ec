// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a strip in any of its formats, a band of rows at a time, so framolin-strip never holds
// the strip while the window writes its canvas whole through the same code. Every format is
// written atomically: until commit() succeeds the old file at the path stays whole, and a
// failed write leaves nothing behind.

#include "strip_format.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <memory>

namespace engine {

class SaveFile;
class SaveGroup;

class StripWriter
{
public:
    virtual ~StripWriter() = default;
    StripWriter(const StripWriter &) = delete;
    StripWriter &operator=(const StripWriter &) = delete;

    // Starts a file of `size` at `path`. False with the reason on failure.
    virtual bool open(const QString &path, QSize size, QString *reason) = 0;
    // Starts a strip of `size` written into `stream` (standard output) as it is compressed;
    // commit() then only flushes, and a failure cannot take back what was sent. Only formats
    // that formatStreams() names can; the others refuse with the reason.
    virtual bool openStream(QIODevice *stream, QSize size, QString *reason);
    // Writes `image`'s rows as the rows from `top` down, its first min(image width, file width)
    // columns; the rest of each row is black. PNG and JPEG are compressed as they go, so their
    // bands must come in order, each starting where the last ended.
    virtual bool writeRows(int top, const QImage &image, QString *reason) = 0;
    // Whether writeRowsAt can be used: only by formats whose rows may come in any order.
    virtual bool writesFromManyThreads() const { return false; }
    // writeRows for rows that do not overlap, from several threads at once; a failure leaves
    // the file open for the caller to cancel. Only where writesFromManyThreads().
    virtual bool writeRowsAt(int top, const QImage &image, QString *reason) const;
    // Makes the file visible under its name; rows never written are black. False, with
    // nothing left behind, on failure.
    virtual bool commit(QString *reason) = 0;
    // Drops the unfinished file; the old one stays.
    virtual void cancel() = 0;
    // From now on commit() finishes the file and hands it to `group`, which puts it under its
    // name with the files written beside it. Not for streams.
    void holdCommitIn(SaveGroup *group) { m_group = group; }

protected:
    StripWriter() = default;
    SaveGroup *m_group = nullptr;
};

// True for the formats written front to back, which openStream() takes: PNG and JPEG. A BMP's
// header is finished last and WebP is encoded whole, so those need a file.
bool formatStreams(StripFormat format);

// A writer of `format`; `quality` (1 to 100) is used by JPEG and WebP.
std::unique_ptr<StripWriter> makeStripWriter(StripFormat format, int quality = kDefaultQuality);

// Writes `image` whole at `path` in `format`, after checking that the format can hold it.
// False with the reason on failure; the old file is then left as it was.
bool saveStrip(const QImage &image, const QString &path, StripFormat format, QString *reason,
               int quality = kDefaultQuality);

namespace detail {

// Where a compressing writer's bytes go: a new file made visible by commit(), or a stream
// owned by the caller that takes the bytes as they come.
class StripSink
{
public:
    StripSink();
    ~StripSink();
    StripSink(const StripSink &) = delete;
    StripSink &operator=(const StripSink &) = delete;

    bool openFile(const QString &path, QString *reason);
    void openStream(QIODevice *stream);
    bool isOpen() const { return m_file || m_stream; }
    // Writes all of `length` bytes. False with the reason.
    bool write(const char *data, qint64 length, QString *reason);
    // With a `group`, the finished file goes to it instead of under its name.
    bool commit(QString *reason, SaveGroup *group = nullptr);
    void cancel();

private:
    std::unique_ptr<SaveFile> m_file;
    QIODevice *m_stream = nullptr;
};
// `image`'s row `y` as `width` RGB pixels (3 bytes each) into `out`; black past its width.
void packRgbRow(const QImage &image, int y, unsigned char *out, int width);
// `image` in a format packRgbRow reads directly (RGB888 or 32-bit), converted only if needed.
QImage packable(const QImage &image);

} // namespace detail

} // namespace engine
