// SPDX-License-Identifier: GPL-3.0-or-later
#include "decode.h"

#include "bmp_read.h"
#include "crop.h"
#include "decode_budget.h"
#include "jpeg.h"
#include "orientation.h"
#include "png_chunks.h"
#include "video.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <climits>
#include <cstdlib>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

bool isSupportedFormat(const QByteArray &format)
{
    return format == "bmp" || format == "jpeg" || format == "jpg" || format == "gif"
        || format == "png" || format == "webp" || format == "tiff" || format == "tif";
}

bool isJpeg(const QByteArray &format)
{
    return format == "jpeg" || format == "jpg";
}

QString notAPicture()
{
    return QCoreApplication::translate("engine", "not a BMP, JPG, GIF, PNG, WebP or TIFF picture");
}

QString describe(const QImageReader &reader)
{
    switch (reader.error()) {
    case QImageReader::UnsupportedFormatError:
        return notAPicture();
    case QImageReader::FileNotFoundError:
        return QCoreApplication::translate("engine", "file not found");
    case QImageReader::DeviceError:
        return QCoreApplication::translate("engine", "the file could not be read");
    case QImageReader::InvalidDataError:
    case QImageReader::UnknownError:
        break;
    }
    return QCoreApplication::translate("engine", "damaged or incomplete picture data");
}

// Opens `path` for reading only if it is a regular file. The type is checked on the opened
// descriptor, and the open itself does not wait, so a FIFO swapped in after any earlier check
// can never block the caller.
bool openRegularFile(const QString &path, QFile &file, QString *reason)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        *reason = errno == ENOENT
            ? QCoreApplication::translate("engine", "file not found")
            : QCoreApplication::translate("engine", "the file could not be opened");
        return false;
    }
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        *reason = QCoreApplication::translate("engine",
                                              "not a regular file (a folder, a device or a pipe)");
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *reason = QCoreApplication::translate("engine", "the file could not be opened");
        return false;
    }
    return true;
}

// An opened picture file and what Qt's reader is handed for it: the file itself, or for a PNG
// the file without its text chunks.
struct Source
{
    QFile file;
    PngWithoutText png;
    QIODevice *device = &file;
};

// A reader on an opened regular file, with the decode budget set here rather than taken from
// whatever the process-wide default happens to be.
bool openReader(const QString &path, Source &source, QImageReader &reader, QString *reason)
{
    QFile &file = source.file;
    if (!openRegularFile(path, file, reason))
        return false;
    if (isPng(file)) {
        if (!source.png.openOn(file, reason))
            return false;
        source.device = &source.png;
    }
    reader.setDevice(source.device);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(kMaxDecodeMegabytes);
    // Qt knows a JPEG by these same two bytes, but only after loading and asking every image
    // plug-in in turn: a twentieth of a small JPEG's whole decode.
    char magic[2];
    if (file.peek(magic, 2) == 2 && static_cast<uchar>(magic[0]) == 0xFF
        && static_cast<uchar>(magic[1]) == 0xD8)
        reader.setFormat("jpeg");
    if (!isSupportedFormat(reader.format())) {
        *reason = notAPicture();
        return false;
    }
    return true;
}

// The size a BMP's information header claims, read from the bytes themselves: Qt refuses a
// giant BMP without giving its size, and reports a top-down one (negative height) as invalid.
QSize bmpHeaderSize(QIODevice &device)
{
    const qint64 at = device.pos();
    char header[26];
    const bool read = device.seek(0) && device.peek(header, sizeof header) == sizeof header;
    device.seek(at);
    if (!read || qFromLittleEndian<quint32>(header + 14) < 40)
        return {};
    const qint64 width = qFromLittleEndian<qint32>(header + 18);
    const qint64 height = qFromLittleEndian<qint32>(header + 22);
    return { int(std::min<qint64>(std::abs(width), INT_MAX)),
             int(std::min<qint64>(std::abs(height), INT_MAX)) };
}

// The size of a GIF's logical screen, which every frame is decoded onto.
QSize gifScreenSize(QIODevice &device)
{
    const qint64 at = device.pos();
    char header[10];
    const bool read = device.seek(0) && device.peek(header, sizeof header) == sizeof header;
    device.seek(at);
    if (!read)
        return {};
    return { qFromLittleEndian<quint16>(header + 6), qFromLittleEndian<quint16>(header + 8) };
}

// The header's size checked against the limits, before anything is decoded.
QSize checkedSize(QImageReader &reader, QString *reason, JpegHeader *jpegHeader = nullptr)
{
    // Taken before the header is read: a reader whose header failed no longer names its format.
    const QByteArray format = reader.format();
    const bool jpeg = isJpeg(format);
    // A JPEG's header is read by libjpeg itself, as its decode will read it.
    JpegHeader header;
    if (jpeg && !readJpegHeader(*reader.device(), &header, reason))
        return {};
    QSize size = jpeg ? header.size : reader.size();
    if (format == "bmp" && !size.isValid()) {
        const QSize claimed = bmpHeaderSize(*reader.device());
        const bool topDown = size.width() == claimed.width() && size.height() == -claimed.height();
        if (topDown || qint64(claimed.width()) * claimed.height() > kMaxWholePixels)
            size = claimed;
    }
    // Qt gives the first image's size, but decodes onto the whole screen.
    if (format == "gif") {
        const QSize screen = gifScreenSize(*reader.device());
        if (qint64(screen.width()) * screen.height() > kMaxWholePixels)
            size = screen;
    }
    if (size.isEmpty()) {
        *reason = size.isValid() ? QCoreApplication::translate("engine", "invalid picture size")
                                 : describe(reader);
        return {};
    }
    const qint64 pixels = qint64(size.width()) * size.height();
    const qint64 limit = !jpeg ? kMaxWholePixels
        : header.multiScan     ? kMaxProgressiveJpegPixels
                               : kMaxJpegPixels;
    if (pixels > limit) {
        *reason = QCoreApplication::translate(
                      "engine", "the %1 × %2 pixel picture is over the limit of %3 megapixels")
                      .arg(size.width())
                      .arg(size.height())
                      .arg(limit / kMega);
        return {};
    }
    if (header.coefficientBytes > kMaxDecodeBytes) {
        *reason = QCoreApplication::translate(
                      "engine", "the %1 × %2 pixel picture needs more than %3 MB to be decoded")
                      .arg(size.width())
                      .arg(size.height())
                      .arg(kMaxDecodeMegabytes);
        return {};
    }
    if (jpegHeader)
        *jpegHeader = header;
    return size;
}

// `size` (as stored) as it is seen, turned by the picture's orientation tag.
QSize uprightSize(QImageReader &reader, const QByteArray &format, QFile &file,
                  const JpegHeader &header, QSize size)
{
    bool turned = false;
    if (isJpeg(format)) {
        turned = swapsSides(header.orientation);
    } else if (format == "webp") {
        turned = swapsSides(webpOrientation(file)); // Qt's WebP reader ignores the tag
    } else {
        turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    }
    return turned ? size.transposed() : size;
}

} // namespace

namespace {

// The size of the video an entry names, stored or upright, with its moment checked.
QSize probeVideoEntry(const EntryTarget &target, bool upright, QString *reason)
{
    VideoInfo info;
    if (!probeVideo(target.file, &info, reason))
        return {};
    if (target.seconds >= info.seconds) {
        *reason = QCoreApplication::translate("engine",
                                              "the moment %1 s is past the video's end at %2 s")
                      .arg(target.seconds)
                      .arg(info.seconds);
        return {};
    }
    return upright ? info.upright : info.stored;
}

} // namespace

QSize probe(const QString &path, QString *reason)
{
    if (const EntryTarget target = entryTarget(path); target.video)
        return probeVideoEntry(target, false, reason);
    Source source;
    QImageReader reader;
    if (!openReader(path, source, reader, reason))
        return {};
    return checkedSize(reader, reason);
}

QSize probeUpright(const QString &path, QString *reason)
{
    if (const EntryTarget target = entryTarget(path); target.video)
        return probeVideoEntry(target, true, reason);
    Source source;
    QFile &file = source.file;
    QImageReader reader;
    if (!openReader(path, source, reader, reason))
        return {};
    const QByteArray format = reader.format();
    JpegHeader header;
    const QSize size = checkedSize(reader, reason, &header);
    if (!size.isValid())
        return {};
    return uprightSize(reader, format, file, header, size);
}

namespace {

// Decodes through Qt's image reader from the start of `file`, upright by the picture's
// orientation tag, JPEG at the smallest DCT scale not below the frame; other formats are small
// enough to decode whole and stretch. Animated pictures give their first frame.
QImage decodeWithQt(Source &source, QSize full, QSize frame, Fit fit, QString *reason)
{
    QFile &file = source.file;
    QImageReader reader;
    if (!file.seek(0) || !source.device->seek(0)) {
        *reason = QCoreApplication::translate("engine", "the file could not be read");
        return {};
    }
    reader.setDevice(source.device);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(kMaxDecodeMegabytes);
    // Qt turns JPEG and TIFF upright itself; its WebP reader ignores the tag.
    reader.setAutoTransform(true);
    const QByteArray format = reader.format(); // some readers forget it once they have read
    const int orientation = format == "webp" ? webpOrientation(file) : 1;
    // A scaled size applies to the picture as stored, before it is turned.
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize seen = turned ? full.transposed() : full;
    const QSize target = decodeTarget(seen, frame, fit);
    QSize stored = turned ? target.transposed() : target;
    // Qt stretches to the scaled size: a fit that keeps the aspect asks for the picture's own.
    if (fit != Fit::Stretch)
        stored = full.scaled(stored, Qt::KeepAspectRatioByExpanding);
    if (isJpeg(format) && full.width() > stored.width() && full.height() > stored.height())
        reader.setScaledSize(stored);
    QImage image = reader.read();
    if (!image.isNull() && orientation != 1)
        image = upright(image, orientation);
    if (image.isNull()) {
        const QSize decoded = reader.scaledSize().isValid() ? reader.scaledSize() : full;
        const bool overBudget = qint64(decoded.width()) * decoded.height() * 4 > kMaxDecodeBytes;
        *reason = overBudget && full == decoded
            ? QCoreApplication::translate(
                  "engine", "the %1 × %2 pixel picture does not fit in %3 MB decoded whole")
                  .arg(full.width())
                  .arg(full.height())
                  .arg(kMaxDecodeMegabytes)
            : describe(reader);
    }
    return image;
}

// What decoding a picture of `full` pixels for `frame` holds at its peak: the picture as
// decoded (8 bytes a pixel for 16-bit samples), its 32-bit conversion and the frame. JPEG
// decodes at its DCT scale, and a progressive one keeps its coefficients besides.
qint64 decodeBytes(QImageReader &reader, const QByteArray &format, QSize full, QSize frame,
                   const JpegHeader &jpeg)
{
    const qint64 frameBytes = qint64(frame.width()) * frame.height() * 4;
    if (isJpeg(format)) {
        const int eighths
            = std::max(jpegScaleEighths(full, frame), jpegScaleEighths(full, frame.transposed()));
        const qint64 width = (qint64(full.width()) * eighths + 7) / 8;
        const qint64 height = (qint64(full.height()) * eighths + 7) / 8;
        return width * height * 4 + jpeg.coefficientBytes + frameBytes;
    }
    const int depth
        = format == "bmp" ? 32 : QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel();
    const qint64 pixels = qint64(full.width()) * full.height();
    return pixels * (std::max(depth / 8, 4) + 4) + frameBytes;
}

} // namespace

namespace {

// The picture opened for decoding, with what its header says.
struct Opened
{
    Source source;
    QImageReader reader;
    QByteArray format;
    JpegHeader header;
    QSize full; // as stored

    bool open(const QString &path, QString *reason)
    {
        if (!openReader(path, source, reader, reason))
            return false;
        format = reader.format();
        full = checkedSize(reader, reason, &header);
        return full.isValid();
    }
    QSize seen() { return uprightSize(reader, format, source.file, header, full); }
};

// The DCT scale libjpeg decodes a JPEG of `stored` pixels at for `decodeFor` (upright, the
// picture's aspect kept), as decodeJpegReduced chooses it.
int eighthsFor(QSize stored, bool turned, QSize decodeFor)
{
    return jpegScaleEighths(stored, turned ? decodeFor.transposed() : decodeFor);
}

// The whole upright picture decoded for `decodeFor` kept by `decodeFit` (JPEG at the smallest
// DCT scale that covers it, other formats whole), holding its share of the decode budget
// meanwhile. `frame` only words the reason. *eighths says which decode it was (UprightDecode).
QImage decodeOpened(Opened &opened, QSize decodeFor, Fit decodeFit, QSize frame, int *eighths,
                    QString *reason)
{
    const QByteArray &format = opened.format;
    const QSize full = opened.full;
    *eighths = 8;
    // Held until the frame is made, so the decodes of every thread together stay within the
    // shared budget.
    const DecodeBudget::Lease lease = DecodeBudget::shared().acquire(
        decodeBytes(opened.reader, format, full, decodeFor, opened.header));
    QImage image;
    // JPEG goes straight to libjpeg at the smallest DCT scale that still covers the frame:
    // decoding is nearly all of a frame's cost. Qt takes what libjpeg leaves to it (CMYK).
    JpegResult jpeg = JpegResult::Unsupported;
    if (isJpeg(format)) {
        // The orientation tag is read during the decode; a picture turned a quarter needs the
        // frame's sides the other way round, so the larger of the two scales is budgeted.
        const int most = std::max(jpegScaleEighths(full, decodeFor),
                                  jpegScaleEighths(full, decodeFor.transposed()));
        const qint64 width = (qint64(full.width()) * most + 7) / 8;
        const qint64 height = (qint64(full.height()) * most + 7) / 8;
        if (width * height * 4 > kMaxDecodeBytes) {
            *reason = QCoreApplication::translate("engine",
                                                  "the %1 × %2 pixel picture does not fit in %3 MB "
                                                  "decoded for a frame of %4 × %5")
                          .arg(full.width())
                          .arg(full.height())
                          .arg(kMaxDecodeMegabytes)
                          .arg(frame.width())
                          .arg(frame.height());
            return {};
        }
        jpeg = decodeJpegReduced(opened.source.file, decodeFor, decodeFit, &image, reason);
        *eighths = jpeg == JpegResult::Decoded
            ? eighthsFor(full, swapsSides(opened.header.orientation),
                         decodeTarget(opened.seen(), decodeFor, decodeFit))
            : 0;
    }
    if (jpeg == JpegResult::Failed)
        return {};
    if (format == "bmp")
        image = readBmp(opened.source.file, reason);
    else if (jpeg == JpegResult::Unsupported)
        image = decodeWithQt(opened.source, full, decodeFor, decodeFit, reason);
    return image;
}

} // namespace

QImage decodeFrame(const QString &path, QSize frame, QString *reason, const FrameOptions &options)
{
    if (const EntryTarget target = entryTarget(path); target.video)
        return decodeVideoFrame(target.file, target.seconds, frame, reason, options);
    // A crop box is cut from the whole upright picture decoded just large enough for the box
    // to reach the frame, so a JPEG still decodes small.
    if (!options.crop.isNull()) {
        const UprightDecode decoded = decodeUpright(path, options.crop, frame, options.fit, reason);
        return decoded.image.isNull() ? QImage()
                                      : frameFromUpright(decoded, frame, options, reason);
    }
    Opened opened;
    if (!opened.open(path, reason))
        return {};
    int eighths = 0;
    const QImage image = decodeOpened(opened, frame, options.fit, frame, &eighths, reason);
    return image.isNull() ? QImage() : frameOf(image, image.size(), frame, options, reason);
}

UprightDecode decodeUpright(const QString &path, QRect box, QSize frame, Fit fit, QString *reason,
                            qint64 maxBytes, QSize small)
{
    UprightDecode decoded;
    // A video's frame is searched as decoded for its moment, small when asked, and its frames
    // are decoded again (eighths 0): the video decoder keeps its own readers.
    if (const EntryTarget target = entryTarget(path); target.video) {
        VideoInfo info;
        if (!probeVideo(target.file, &info, reason))
            return decoded;
        decoded.seen = decoded.stored = info.upright;
        if (!QRect(QPoint(), decoded.seen).contains(box) || box.isEmpty()) {
            *reason = cropOutside(box, decoded.seen);
            return decoded;
        }
        decoded.image = decodeVideoFrame(target.file, target.seconds,
                                         small.isEmpty() ? decoded.seen : small, reason);
        return decoded;
    }
    Opened opened;
    if (!opened.open(path, reason))
        return decoded;
    decoded.seen = opened.seen();
    decoded.stored = opened.full;
    decoded.turned = decoded.seen != opened.full;
    if (!QRect(QPoint(), decoded.seen).contains(box) || box.isEmpty()) {
        *reason = cropOutside(box, decoded.seen);
        return decoded;
    }
    QSize decodeFor = cropDecodeSize(decoded.seen, box, frame, fit);
    // What the decode holds: a JPEG at its DCT scale, anything else whole.
    const int scale
        = isJpeg(opened.format) ? eighthsFor(decoded.stored, decoded.turned, decodeFor) : 8;
    const qint64 bytes = (qint64(decoded.stored.width()) * scale + 7) / 8
        * ((qint64(decoded.stored.height()) * scale + 7) / 8) * 4;
    const bool tooLarge = bytes > maxBytes;
    if (tooLarge)
        decodeFor = small;
    // Cover: the whole picture, its aspect kept.
    decoded.image = decodeOpened(opened, decodeFor, tooLarge ? Fit::Stretch : Fit::Cover, frame,
                                 &decoded.eighths, reason);
    decoded.jpeg = isJpeg(opened.format);
    if (tooLarge)
        decoded.eighths = 0;
    return decoded;
}

QImage frameFromUpright(const UprightDecode &decoded, QSize frame, const FrameOptions &options,
                        QString *reason)
{
    const QRect box = options.crop;
    if (decoded.image.isNull() || decoded.eighths == 0 || box.isNull())
        return {};
    if (!QRect(QPoint(), decoded.seen).contains(box) || box.isEmpty()) {
        *reason = cropOutside(box, decoded.seen);
        return {};
    }
    if (decoded.jpeg
        && decoded.eighths
            != eighthsFor(decoded.stored, decoded.turned,
                          cropDecodeSize(decoded.seen, box, frame, options.fit)))
        return {};
    return frameOf(decoded.image, decoded.seen, frame, options, reason);
}

} // namespace engine
