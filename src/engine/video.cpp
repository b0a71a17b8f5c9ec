// SPDX-License-Identifier: GPL-3.0-or-later
#include "video.h"

#include "crop.h"
#include "decode_budget.h"
#include "engine/limits.h"
#include "file_stamp.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTransform>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include <cmath>
#include <condition_variable>
#include <list>
#include <map>
#include <memory>
#include <mutex>

using namespace Qt::StringLiterals;

namespace engine {

QStringList videoNameFilters()
{
    return { u"*.mp4"_s, u"*.mov"_s, u"*.m4v"_s, u"*.webm"_s, u"*.mkv"_s, u"*.avi"_s };
}

bool isVideoName(const QString &path)
{
    const QStringList patterns = videoNameFilters();
    return std::any_of(patterns.cbegin(), patterns.cend(), [&](const QString &pattern) {
        return path.endsWith(pattern.mid(1), Qt::CaseInsensitive);
    });
}

EntryTarget entryTarget(const QString &entry)
{
    // A real file wins: its name may hold "#t=" itself.
    if (QFileInfo::exists(entry) || !entry.contains(u"#t="_s))
        return { entry, isVideoName(entry), 0 };
    const qsizetype at = entry.lastIndexOf(u"#t="_s);
    const QString file = entry.left(at);
    bool number = false;
    const double seconds = entry.mid(at + 3).toDouble(&number);
    if (!number || !std::isfinite(seconds) || seconds < 0 || !isVideoName(file))
        return { entry, false, 0 };
    return { file, true, seconds };
}

QString momentEntry(const QString &video, double seconds)
{
    QString text = QString::number(seconds, 'f', 6);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return video + u"#t="_s + text;
}

namespace {

// AV_TIME_BASE_Q is a C compound literal.
constexpr AVRational kMicroseconds { 1, AV_TIME_BASE };

struct FormatCloser
{
    void operator()(AVFormatContext *context) const { avformat_close_input(&context); }
};
struct CodecCloser
{
    void operator()(AVCodecContext *context) const { avcodec_free_context(&context); }
};
struct PacketFreer
{
    void operator()(AVPacket *packet) const { av_packet_free(&packet); }
};
struct FrameFreer
{
    void operator()(AVFrame *frame) const { av_frame_free(&frame); }
};
struct ScalerFreer
{
    void operator()(SwsContext *context) const { sws_freeContext(context); }
};
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;

// Clockwise quarter turns that show the video upright, from its display matrix, as ffmpeg's
// own automatic rotation reads it.
int displayRotation(const AVStream *stream)
{
    size_t size = 0;
    const uint8_t *matrix = av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, &size);
    if (!matrix || size < 9 * sizeof(int32_t))
        return 0;
    const double degrees = -av_display_rotation_get(reinterpret_cast<const int32_t *>(matrix));
    if (!std::isfinite(degrees))
        return 0;
    const int quarter = int(std::lround(degrees / 90)) % 4;
    return (quarter + 4) % 4 * 90;
}

// One open video: its demuxer and decoder, and where the decoder stands, so a later moment can
// be reached by decoding forward.
class VideoReader
{
public:
    QString file;
    FileStamp stamp;
    VideoInfo info;
    qint64 keyGapUs = 0; // the longest gap between key frames in the index, 0 when unknown

    bool open(const QString &path, QString *reason);
    // A reference to the frame shown at `seconds`, or null with the reason.
    FramePtr frameAt(double seconds, QString *reason);
    // Microseconds of the last frame decoded, or -1 before any.
    qint64 positionUs() const;

private:
    qint64 keyFrameBefore(qint64 pts) const;
    bool seek(qint64 us);

    std::unique_ptr<AVFormatContext, FormatCloser> m_format;
    std::unique_ptr<AVCodecContext, CodecCloser> m_codec;
    std::unique_ptr<AVPacket, PacketFreer> m_packet { av_packet_alloc() };
    FramePtr m_frame { av_frame_alloc() };
    AVStream *m_stream = nullptr;
    qint64 m_startUs = 0;
    qint64 m_last = AV_NOPTS_VALUE; // pts of the last frame decoded
    bool m_drained = false;
};

bool VideoReader::open(const QString &path, QString *reason)
{
    file = path;
    const QFileInfo fileInfo(path);
    if (!fileInfo.exists()) {
        *reason = QCoreApplication::translate("engine", "file not found");
        return false;
    }
    if (!fileInfo.isFile()) {
        *reason = QCoreApplication::translate("engine",
                                              "not a regular file (a folder, a device or a pipe)");
        return false;
    }
    stamp = FileStamp::of(path);
    if (!m_packet || !m_frame) {
        *reason = QCoreApplication::translate("engine", "out of memory");
        return false;
    }
    // Only local files and the containers named as videos: a playlist or a concatenation list
    // disguised as a video could otherwise read other files or the network.
    AVDictionary *options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    av_dict_set(&options, "format_whitelist", "mov,mp4,m4a,3gp,3g2,mj2,matroska,webm,avi", 0);
    AVFormatContext *format = nullptr;
    const QByteArray url = "file:" + QFile::encodeName(path);
    const int opened = avformat_open_input(&format, url.constData(), nullptr, &options);
    av_dict_free(&options);
    if (opened < 0) {
        *reason = QCoreApplication::translate("engine",
                                              "not a video that can be read, or a damaged one");
        return false;
    }
    m_format.reset(format);
    if (avformat_find_stream_info(format, nullptr) < 0) {
        *reason
            = QCoreApplication::translate("engine", "damaged video: its streams could not be read");
        return false;
    }
    const AVCodec *decoder = nullptr;
    const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    if (index < 0 || !decoder) {
        *reason = index == AVERROR_DECODER_NOT_FOUND
            ? QCoreApplication::translate("engine", "the video's coding cannot be decoded")
            : QCoreApplication::translate("engine", "the file holds no video stream");
        return false;
    }
    m_stream = format->streams[index];
    const AVCodecParameters *parameters = m_stream->codecpar;
    info.stored = QSize(parameters->width, parameters->height);
    if (info.stored.isEmpty()) {
        *reason = QCoreApplication::translate("engine", "invalid video size");
        return false;
    }
    if (qint64(info.stored.width()) * info.stored.height() > kMaxVideoPixels) {
        *reason = QCoreApplication::translate(
                      "engine", "the %1 × %2 pixel video is over the limit of %3 megapixels")
                      .arg(info.stored.width())
                      .arg(info.stored.height())
                      .arg(kMaxVideoPixels / kMega);
        return false;
    }
    info.rotation = displayRotation(m_stream);
    info.upright = info.rotation % 180 ? info.stored.transposed() : info.stored;
    m_startUs = format->start_time == AV_NOPTS_VALUE ? 0 : format->start_time;
    const AVRational rate = av_guess_frame_rate(format, m_stream, nullptr);
    info.frameRate = rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 0;
    if (m_stream->duration > 0)
        info.seconds = double(m_stream->duration) * av_q2d(m_stream->time_base);
    else if (format->duration > 0)
        info.seconds = double(format->duration) / AV_TIME_BASE;
    if (!(info.seconds > 0)) {
        *reason = QCoreApplication::translate("engine", "damaged video: its duration is unknown");
        return false;
    }
    if (info.seconds > kMaxVideoSeconds) {
        *reason = QCoreApplication::translate("engine",
                                              "the video of %1 s is over the limit of %2 hours")
                      .arg(std::round(info.seconds))
                      .arg(kMaxVideoSeconds / 3600);
        return false;
    }
    info.frames = m_stream->nb_frames > 0 ? m_stream->nb_frames
                                          : qint64(std::ceil(info.seconds * info.frameRate));
    if (info.frames > kMaxVideoFrames) {
        *reason = QCoreApplication::translate("engine",
                                              "the video of %1 frames is over the limit of %2")
                      .arg(info.frames)
                      .arg(kMaxVideoFrames);
        return false;
    }
    // The index (complete for MP4 and MOV once opened) tells whether a later moment is
    // reached faster by decoding on or by seeking.
    qint64 previous = -1;
    for (int i = 0; const AVIndexEntry *entry = avformat_index_get_entry(m_stream, i); ++i) {
        if (!(entry->flags & AVINDEX_KEYFRAME))
            continue;
        const qint64 us = av_rescale_q(entry->timestamp, m_stream->time_base, kMicroseconds);
        if (previous >= 0)
            keyGapUs = std::max(keyGapUs, us - previous);
        previous = us;
    }
    std::unique_ptr<AVCodecContext, CodecCloser> codec(avcodec_alloc_context3(decoder));
    if (!codec || avcodec_parameters_to_context(codec.get(), parameters) < 0) {
        *reason = QCoreApplication::translate("engine", "out of memory");
        return false;
    }
    codec->thread_count = 0; // one per core
    codec->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    codec->pkt_timebase = m_stream->time_base;
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0) {
        *reason = QCoreApplication::translate("engine", "the video's coding cannot be decoded");
        return false;
    }
    m_codec = std::move(codec);
    return true;
}

qint64 VideoReader::positionUs() const
{
    return m_last == AV_NOPTS_VALUE
        ? -1
        : av_rescale_q(m_last, m_stream->time_base, kMicroseconds) - m_startUs;
}

qint64 VideoReader::keyFrameBefore(qint64 pts) const
{
    const int index = av_index_search_timestamp(m_stream, pts, AVSEEK_FLAG_BACKWARD);
    const AVIndexEntry *entry = index < 0 ? nullptr : avformat_index_get_entry(m_stream, index);
    return entry ? entry->timestamp : AV_NOPTS_VALUE;
}

bool VideoReader::seek(qint64 us)
{
    // As ffmpeg's -ss before an input seeks: to the key frame at or before the moment.
    if (avformat_seek_file(m_format.get(), -1, INT64_MIN, us, us, 0) < 0
        && av_seek_frame(m_format.get(), m_stream->index, 0, AVSEEK_FLAG_BACKWARD) < 0)
        return false;
    avcodec_flush_buffers(m_codec.get());
    m_last = AV_NOPTS_VALUE;
    m_drained = false;
    return true;
}

FramePtr VideoReader::frameAt(double seconds, QString *reason)
{
    const qint64 us = std::llround(seconds * 1e6) + m_startUs;
    const qint64 threshold = av_rescale_q(us, kMicroseconds, m_stream->time_base);
    // Decoding on from where the decoder stands gives the same frame as seeking does, and is
    // cheaper unless a key frame lies between here and the moment.
    const qint64 key = keyFrameBefore(threshold);
    const bool walk = m_last != AV_NOPTS_VALUE && m_last < threshold
        && (key == AV_NOPTS_VALUE || key <= m_last);
    if (!walk && !seek(us)) {
        *reason = QCoreApplication::translate("engine",
                                              "damaged video: the moment %1 s could not be reached")
                      .arg(seconds);
        return {};
    }
    int errors = 0;
    for (;;) {
        const int received = avcodec_receive_frame(m_codec.get(), m_frame.get());
        if (received == 0) {
            errors = 0;
            const qint64 pts = m_frame->best_effort_timestamp != AV_NOPTS_VALUE
                ? m_frame->best_effort_timestamp
                : m_frame->pts;
            m_last = pts;
            if (pts != AV_NOPTS_VALUE && pts >= threshold) {
                FramePtr frame(av_frame_clone(m_frame.get()));
                av_frame_unref(m_frame.get());
                if (!frame)
                    *reason = QCoreApplication::translate("engine", "out of memory");
                return frame;
            }
            av_frame_unref(m_frame.get());
            continue;
        }
        if (received == AVERROR_EOF) {
            *reason = QCoreApplication::translate(
                          "engine", "the video has no frame at %1 s: it ends sooner, or is damaged")
                          .arg(seconds);
            m_last = AV_NOPTS_VALUE; // only a seek restarts a drained decoder
            return {};
        }
        if (received != AVERROR(EAGAIN) && ++errors > kMaxVideoDecodeErrors) {
            *reason = QCoreApplication::translate("engine", "damaged video data");
            return {};
        }
        if (m_drained)
            continue;
        const int read = av_read_frame(m_format.get(), m_packet.get());
        if (read < 0) {
            if (read != AVERROR_EOF && read != AVERROR_INVALIDDATA
                && ++errors > kMaxVideoDecodeErrors) {
                *reason = QCoreApplication::translate("engine", "the file could not be read");
                return {};
            }
            avcodec_send_packet(m_codec.get(), nullptr);
            m_drained = true;
            continue;
        }
        if (m_packet->stream_index == m_stream->index
            && avcodec_send_packet(m_codec.get(), m_packet.get()) < 0
            && ++errors > kMaxVideoDecodeErrors) {
            av_packet_unref(m_packet.get());
            *reason = QCoreApplication::translate("engine", "damaged video data");
            return {};
        }
        av_packet_unref(m_packet.get());
    }
}

// The readers kept open between decodes. A decode of a moment takes the reader that can reach
// it by decoding forward; when one busy with an earlier moment will soon be able to, it waits
// for that one instead of opening another, so the moments of one video asked by several
// threads in order are decoded through once, with the decoder's own threads.
class Readers
{
public:
    static Readers &shared()
    {
        static Readers readers;
        return readers;
    }

    std::unique_ptr<VideoReader> take(const QString &file, double seconds, QString *reason)
    {
        const FileStamp stamp = FileStamp::of(file);
        const qint64 us = std::llround(seconds * 1e6);
        std::unique_lock lock(m_mutex);
        for (;;) {
            auto best = m_idle.end();
            bool other = false;
            for (auto it = m_idle.begin(); it != m_idle.end(); ++it) {
                if ((*it)->file != file || (*it)->stamp != stamp)
                    continue;
                const qint64 at = (*it)->positionUs();
                if (at < us && (best == m_idle.end() || at > (*best)->positionUs()))
                    best = it;
                other = true;
            }
            if (best == m_idle.end() && other)
                best = std::find_if(m_idle.begin(), m_idle.end(), [&](const auto &reader) {
                    return reader->file == file && reader->stamp == stamp;
                });
            if (best != m_idle.end()) {
                std::unique_ptr<VideoReader> reader = std::move(*best);
                m_idle.erase(best);
                m_busy.push_back({ file, us });
                return reader;
            }
            const bool soon = std::any_of(m_busy.cbegin(), m_busy.cend(), [&](const Busy &busy) {
                return busy.file == file && busy.us < us && us - busy.us <= m_keyGapUs[file];
            });
            if (!soon)
                break;
            m_returned.wait(lock);
        }
        m_busy.push_back({ file, us });
        lock.unlock();
        auto reader = std::make_unique<VideoReader>();
        if (!reader->open(file, reason)) {
            release(nullptr, file, us);
            return {};
        }
        return reader;
    }

    void giveBack(std::unique_ptr<VideoReader> reader, const QString &file, double seconds)
    {
        release(std::move(reader), file, std::llround(seconds * 1e6));
    }

private:
    struct Busy
    {
        QString file;
        qint64 us;
    };

    void release(std::unique_ptr<VideoReader> reader, const QString &file, qint64 us)
    {
        std::lock_guard lock(m_mutex);
        const auto busy = std::find_if(m_busy.begin(), m_busy.end(), [&](const Busy &entry) {
            return entry.file == file && entry.us == us;
        });
        if (busy != m_busy.end())
            m_busy.erase(busy);
        if (reader) {
            // The longest key-frame gap, or a second where the index does not tell, bounds how
            // far ahead a moment waits for a busy reader rather than seeking its own.
            m_keyGapUs[file] = reader->keyGapUs > 0 ? reader->keyGapUs : 1'000'000;
            m_idle.push_front(std::move(reader));
            while (m_idle.size() > std::size_t(kMaxIdleVideoReaders))
                m_idle.pop_back();
        }
        m_returned.notify_all();
    }

    std::mutex m_mutex;
    std::condition_variable m_returned;
    std::list<std::unique_ptr<VideoReader>> m_idle; // most recently used first
    std::list<Busy> m_busy;
    std::map<QString, qint64> m_keyGapUs;
};

// `frame` (as decoded) converted to RGB32 at `size` (as stored), with its own colour matrix
// and range as ffmpeg's scaler reads them.
QImage toImage(const AVFrame *frame, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const bool smaller = size.width() < frame->width || size.height() < frame->height;
    std::unique_ptr<SwsContext, ScalerFreer> scaler(sws_getContext(
        frame->width, frame->height, AVPixelFormat(frame->format), size.width(), size.height(),
        AV_PIX_FMT_RGB32, smaller ? SWS_AREA : SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (!scaler)
        return {};
    const bool fullRange = frame->color_range == AVCOL_RANGE_JPEG
        || frame->format == AV_PIX_FMT_YUVJ420P || frame->format == AV_PIX_FMT_YUVJ422P
        || frame->format == AV_PIX_FMT_YUVJ444P;
    const int space
        = frame->colorspace == AVCOL_SPC_UNSPECIFIED ? SWS_CS_DEFAULT : frame->colorspace;
    sws_setColorspaceDetails(scaler.get(), sws_getCoefficients(space), fullRange ? 1 : 0,
                             sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
    uint8_t *planes[4] = { image.bits(), nullptr, nullptr, nullptr };
    const int strides[4] = { int(image.bytesPerLine()), 0, 0, 0 };
    if (sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, planes, strides)
        != size.height())
        return {};
    return image;
}

} // namespace

bool probeVideo(const QString &file, VideoInfo *info, QString *reason)
{
    // Through the kept readers: the frames asked next open nothing again.
    std::unique_ptr<VideoReader> reader = Readers::shared().take(file, 0, reason);
    if (!reader)
        return false;
    *info = reader->info;
    Readers::shared().giveBack(std::move(reader), file, 0);
    return true;
}

QImage decodeVideoFrame(const QString &file, double seconds, QSize frame, QString *reason,
                        const FrameOptions &options)
{
    std::unique_ptr<VideoReader> reader = Readers::shared().take(file, seconds, reason);
    if (!reader)
        return {};
    const VideoInfo info = reader->info;
    const QSize seen = info.upright;
    if (!options.crop.isNull()
        && (!QRect(QPoint(), seen).contains(options.crop) || options.crop.isEmpty())) {
        Readers::shared().giveBack(std::move(reader), file, seconds);
        *reason = cropOutside(options.crop, seen);
        return {};
    }
    const QSize decodeFor
        = options.crop.isNull() ? frame : cropDecodeSize(seen, options.crop, frame, options.fit);
    const Fit decodeFit = options.crop.isNull() ? options.fit : Fit::Cover;
    QSize target = decodeTarget(seen, decodeFor, decodeFit);
    if (decodeFit != Fit::Stretch)
        target = seen.scaled(target, Qt::KeepAspectRatioByExpanding);
    // Never enlarged here: the fit below stretches a small video as it does a small picture.
    if (target.width() > seen.width() || target.height() > seen.height())
        target = seen;
    const QSize stored = info.rotation % 180 ? target.transposed() : target;
    const qint64 frameBytes = qint64(info.stored.width()) * info.stored.height() * 3 / 2;
    const qint64 bytes = frameBytes * kVideoDecodeFramesHeld
        + qint64(stored.width()) * stored.height() * 4 + qint64(frame.width()) * frame.height() * 4;
    FramePtr decoded;
    {
        const DecodeBudget::Lease lease = DecodeBudget::shared().acquire(bytes);
        decoded = reader->frameAt(seconds, reason);
    }
    Readers::shared().giveBack(std::move(reader), file, seconds);
    if (!decoded)
        return {};
    QImage image = toImage(decoded.get(), stored);
    decoded.reset();
    if (image.isNull()) {
        *reason
            = QCoreApplication::translate("engine", "out of memory for a frame of %1 × %2 pixels")
                  .arg(frame.width())
                  .arg(frame.height());
        return {};
    }
    if (info.rotation)
        image = image.transformed(QTransform().rotate(info.rotation));
    return frameOf(image, seen, frame, options, reason);
}

} // namespace engine
