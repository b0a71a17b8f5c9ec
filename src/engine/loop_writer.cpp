// SPDX-License-Identifier: GPL-3.0-or-later
#include "loop_writer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <gif_lib.h>
#include <libimagequant.h>
#include <webp/encode.h>
#include <webp/mux.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/imgutils.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstring>
#include <vector>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

// Mean square error of a GIF frame against its picture (0-255 levels, over the channels) above
// which it tries a palette of its own: about 35 dB, where one palette for a turn of unlike
// pictures starts to show.
constexpr double kGifOwnPaletteError = 20;

// Milliseconds (or hundredths) from the start to frame `index`, rounded, so frame lengths
// alternate (8 and 9 hundredths at 12 fps) and a turn lasts exactly frames / fps.
int timeOf(qint64 index, int fps, int unitsPerSecond)
{
    return int((index * unitsPerSecond * 2 + fps) / (qint64(2) * fps));
}

class Encoder
{
public:
    virtual ~Encoder() = default;
    // `frame` is the size of the pictures given to add(), already the file's.
    virtual bool start(QSize frame, int frames, const LoopSettings &settings, QString *reason) = 0;
    // One frame, RGB888.
    virtual bool add(const QImage &frame, QString *reason) = 0;
    virtual bool finish(detail::StripSink &out, QString *reason) = 0;
};

// --- GIF: one palette for the turn from libimagequant's histogram of every frame ------------

class GifEncoder final : public Encoder
{
public:
    ~GifEncoder() override
    {
        if (m_histogram)
            liq_histogram_destroy(m_histogram);
        if (m_attr)
            liq_attr_destroy(m_attr);
    }
    bool start(QSize frame, int frames, const LoopSettings &settings, QString *) override
    {
        m_size = frame;
        m_fps = settings.fps;
        m_frames.reserve(std::size_t(frames));
        m_attr = liq_attr_create();
        // One entry of the 256 stays free for "unchanged", the transparent index.
        const int colours = settings.quality >= 90 ? 255 : 256 >> ((109 - settings.quality) / 20);
        liq_set_max_colors(m_attr, std::clamp(colours, 2, 255));
        m_still = std::max(1, (100 - settings.quality) / 5);
        liq_set_speed(m_attr, 8);
        m_histogram = liq_histogram_create(m_attr);
        return true;
    }
    bool add(const QImage &frame, QString *reason) override
    {
        QImage rgba = frame.convertToFormat(QImage::Format_RGBA8888);
        liq_image *image
            = liq_image_create_rgba(m_attr, rgba.constBits(), rgba.width(), rgba.height(), 0);
        const liq_error added
            = image ? liq_histogram_add_image(m_histogram, m_attr, image) : LIQ_OUT_OF_MEMORY;
        if (image)
            liq_image_destroy(image);
        if (added != LIQ_OK) {
            *reason = QCoreApplication::translate("engine", "no memory for the GIF's palette");
            return false;
        }
        m_frames.push_back(std::move(rgba));
        return true;
    }
    bool finish(detail::StripSink &out, QString *reason) override;

private:
    QSize m_size;
    int m_fps = kDefaultLoopFps;
    // How far, in levels of 255 on each channel, a pixel may be from the colour it was last
    // written for and still count as unchanged.
    int m_still = 2;
    liq_attr *m_attr = nullptr;
    liq_histogram *m_histogram = nullptr;
    std::vector<QImage> m_frames;
};

struct GifOut
{
    detail::StripSink *sink;
    QString reason;
};

int gifWrite(GifFileType *gif, const GifByteType *bytes, int length)
{
    auto *out = static_cast<GifOut *>(gif->UserData);
    if (!out->reason.isEmpty()
        || !out->sink->write(reinterpret_cast<const char *>(bytes), length, &out->reason))
        return 0;
    return length;
}

// A GIF colour map of `palette` and one transparent entry after it (at palette->count), in a
// power of two entries as GIF wants.
ColorMapObject *colourMap(const liq_palette *palette)
{
    const int used = int(palette->count);
    int size = 2;
    while (size < used + 1)
        size *= 2;
    std::vector<GifColorType> colours(std::size_t(size), GifColorType { 0, 0, 0 });
    for (int i = 0; i < used; ++i)
        colours[std::size_t(i)]
            = { palette->entries[i].r, palette->entries[i].g, palette->entries[i].b };
    return GifMakeMapObject(size, colours.data());
}

double meanSquareError(const uchar *rgba, const unsigned char *indices, const liq_palette *palette,
                       std::size_t pixels)
{
    double sum = 0;
    for (std::size_t at = 0; at < pixels; ++at, rgba += 4) {
        const liq_color &c = palette->entries[indices[at]];
        const int r = rgba[0] - c.r, g = rgba[1] - c.g, b = rgba[2] - c.b;
        sum += double(r * r + g * g + b * b);
    }
    return pixels ? sum / (3.0 * double(pixels)) : 0;
}

bool sameColour(const liq_color &a, const liq_color &b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

bool GifEncoder::finish(detail::StripSink &out, QString *reason)
{
    liq_result *turn = nullptr;
    if (liq_histogram_quantize(m_histogram, m_attr, &turn) != LIQ_OK) {
        *reason = QCoreApplication::translate("engine", "the GIF's palette could not be made");
        return false;
    }
    liq_set_dithering_level(turn, 1.0f);
    GifOut sink { &out, {} };
    int error = 0;
    GifFileType *gif = EGifOpen(&sink, gifWrite, &error);
    ColorMapObject *map = gif ? colourMap(liq_get_palette(turn)) : nullptr;
    const int width = m_size.width(), height = m_size.height();
    bool ok = map != nullptr;
    if (ok) {
        EGifSetGifVersion(gif, true);
        ok = EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_OK;
    }
    // NETSCAPE2.0 with a loop count of 0: play forever.
    static const GifByteType loopForever[] = { 1, 0, 0 };
    ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK
        && EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_OK
        && EGifPutExtensionBlock(gif, 3, loopForever) == GIF_OK
        && EGifPutExtensionTrailer(gif) == GIF_OK;
    const std::size_t pixels = std::size_t(width) * std::size_t(height);
    std::vector<unsigned char> indices(pixels), ownIndices(pixels);
    // What a viewer shows after the frames so far, and the pictures' colours it was written for.
    std::vector<liq_color> shown(pixels), basis(pixels);
    for (std::size_t f = 0; ok && f < m_frames.size(); ++f) {
        const uchar *source = m_frames[f].constBits();
        liq_image *image = liq_image_create_rgba(m_attr, source, width, height, 0);
        ok = image && liq_write_remapped_image(turn, image, indices.data(), pixels) == LIQ_OK;
        // A frame the turn's palette fits badly (a turn of unlike pictures) gets its own, when
        // that comes at least twice as close.
        liq_result *own = nullptr;
        const double turnError
            = ok ? meanSquareError(source, indices.data(), liq_get_palette(turn), pixels) : 0;
        if (turnError > kGifOwnPaletteError && liq_image_quantize(image, m_attr, &own) == LIQ_OK) {
            liq_set_dithering_level(own, 1.0f);
            ok = liq_write_remapped_image(own, image, ownIndices.data(), pixels) == LIQ_OK;
            if (ok
                && meanSquareError(source, ownIndices.data(), liq_get_palette(own), pixels) * 2
                    < turnError) {
                std::swap(indices, ownIndices);
            } else {
                liq_result_destroy(own);
                own = nullptr;
            }
        }
        if (image)
            liq_image_destroy(image);
        const liq_palette *palette = liq_get_palette(own ? own : turn);
        const auto unchanged = static_cast<unsigned char>(palette->count);
        ColorMapObject *ownMap = own && ok ? colourMap(palette) : nullptr;
        ok = ok && (!own || ownMap);
        // After the first frame a pixel whose colour is still within m_still of the one it was
        // last written for is transparent: a still backdrop then costs next to nothing, though
        // the camera's noise and the dither change its indices in every frame, and a slow drift
        // is written once it goes past m_still. Only the box of the rest is written, whole:
        // holes where a dithered colour merely repeats would make LZW's strings shorter.
        QRect box(0, 0, width, height);
        if (ok && f > 0) {
            int left = width, right = -1, top = height, bottom = -1;
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const std::size_t at = std::size_t(y) * std::size_t(width) + std::size_t(x);
                    const liq_color &was = basis[at];
                    const uchar *rgba = source + at * 4;
                    if (std::abs(rgba[0] - was.r) <= m_still && std::abs(rgba[1] - was.g) <= m_still
                        && std::abs(rgba[2] - was.b) <= m_still) {
                        indices[at] = unchanged;
                        continue;
                    }
                    if (sameColour(palette->entries[indices[at]], shown[at]))
                        continue;
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
            box = right < 0 ? QRect(0, 0, 1, 1) : QRect(QPoint(left, top), QPoint(right, bottom));
        }
        GraphicsControlBlock control {};
        control.DisposalMode = DISPOSE_DO_NOT;
        control.UserInputFlag = false;
        control.DelayTime = timeOf(qint64(f) + 1, m_fps, 100) - timeOf(qint64(f), m_fps, 100);
        control.TransparentColor = f > 0 ? unchanged : NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        ok = ok && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK
            && EGifPutImageDesc(gif, box.x(), box.y(), box.width(), box.height(), false, ownMap)
                == GIF_OK;
        for (int y = box.top(); ok && y <= box.bottom(); ++y)
            ok = EGifPutLine(gif, indices.data() + std::size_t(y) * std::size_t(width) + box.x(),
                             box.width())
                == GIF_OK;
        for (std::size_t at = 0; ok && at < pixels; ++at) {
            if (indices[at] != unchanged) {
                shown[at] = palette->entries[indices[at]];
                std::memcpy(&basis[at], source + at * 4, sizeof(liq_color));
            }
        }
        m_frames[f] = QImage(); // its memory goes as the file grows
        if (ownMap)
            GifFreeMapObject(ownMap);
        if (own)
            liq_result_destroy(own);
    }
    if (map)
        GifFreeMapObject(map);
    liq_result_destroy(turn);
    if (gif && EGifCloseFile(gif, &error) != GIF_OK)
        ok = false;
    if (!ok)
        *reason = !sink.reason.isEmpty()
            ? sink.reason
            : QCoreApplication::translate("engine", "the GIF could not be written");
    return ok;
}

// --- MP4 and WebM through libavcodec and libavformat -----------------------------------------

QString avError(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

class VideoEncoder final : public Encoder
{
public:
    explicit VideoEncoder(LoopFormat format) : m_format(format) { }
    ~VideoEncoder() override
    {
        if (m_context && m_context->pb)
            avio_closep(&m_context->pb);
        avformat_free_context(m_context);
        avcodec_free_context(&m_codec);
        av_frame_free(&m_picture);
        av_packet_free(&m_packet);
        sws_freeContext(m_scale);
    }
    bool start(QSize frame, int, const LoopSettings &settings, QString *reason) override;
    bool add(const QImage &frame, QString *reason) override
    {
        int code = av_frame_make_writable(m_picture);
        if (code >= 0) {
            const uint8_t *source[1] = { frame.constBits() };
            const int stride[1] = { int(frame.bytesPerLine()) };
            sws_scale(m_scale, source, stride, 0, m_picture->height, m_picture->data,
                      m_picture->linesize);
            m_picture->pts = m_next++;
            code = avcodec_send_frame(m_codec, m_picture);
        }
        return check(code, reason) && drain(reason);
    }
    bool finish(detail::StripSink &out, QString *reason) override
    {
        if (!check(avcodec_send_frame(m_codec, nullptr), reason) || !drain(reason)
            || !check(av_write_trailer(m_context), reason))
            return false;
        avio_closep(&m_context->pb);
        // The muxer has written the whole file (moving the index to the front for MP4, which
        // reopens it by name); it goes to its place through the save file like every output.
        QFile file(m_temporary.fileName());
        if (!file.open(QIODevice::ReadOnly)) {
            *reason = file.errorString();
            return false;
        }
        QByteArray chunk(1 << 20, Qt::Uninitialized);
        for (qint64 n; (n = file.read(chunk.data(), chunk.size())) > 0;) {
            if (!out.write(chunk.constData(), n, reason))
                return false;
        }
        return true;
    }

private:
    bool check(int code, QString *reason)
    {
        if (code >= 0 || code == AVERROR_EOF)
            return true;
        *reason = QCoreApplication::translate("engine", "the video encoder failed: %1")
                      .arg(avError(code));
        return false;
    }
    bool drain(QString *reason)
    {
        for (;;) {
            const int code = avcodec_receive_packet(m_codec, m_packet);
            if (code == AVERROR(EAGAIN) || code == AVERROR_EOF)
                return true;
            if (!check(code, reason))
                return false;
            // A constant frame rate: every frame lasts one tick, the last one too, so the
            // file's duration is frames / fps.
            m_packet->duration = 1;
            av_packet_rescale_ts(m_packet, m_codec->time_base, m_stream->time_base);
            m_packet->stream_index = m_stream->index;
            if (!check(av_interleaved_write_frame(m_context, m_packet), reason))
                return false;
        }
    }

    LoopFormat m_format;
    QTemporaryFile m_temporary;
    AVFormatContext *m_context = nullptr;
    AVCodecContext *m_codec = nullptr;
    AVStream *m_stream = nullptr;
    AVFrame *m_picture = nullptr;
    AVPacket *m_packet = nullptr;
    SwsContext *m_scale = nullptr;
    qint64 m_next = 0;
};

bool VideoEncoder::start(QSize frame, int, const LoopSettings &settings, QString *reason)
{
    // The libraries print to standard error, which is the program's to speak on; their
    // failures come back as codes and are named in the program's own line.
    av_log_set_level(AV_LOG_QUIET);
    const bool mp4 = m_format == LoopFormat::Mp4;
    m_temporary.setFileTemplate(QDir::tempPath()
                                + (mp4 ? u"/framolin-XXXXXX.mp4"_s : u"/framolin-XXXXXX.webm"_s));
    if (!m_temporary.open()) {
        *reason = m_temporary.errorString();
        return false;
    }
    m_temporary.close();
    const QByteArray path = m_temporary.fileName().toUtf8();
    const AVCodec *codec = avcodec_find_encoder_by_name(mp4 ? "libx264" : "libvpx-vp9");
    if (!codec) {
        *reason = QCoreApplication::translate("engine", "this system's FFmpeg has no %1 encoder")
                      .arg(mp4 ? u"H.264"_s : u"VP9"_s);
        return false;
    }
    if (!check(avformat_alloc_output_context2(&m_context, nullptr, mp4 ? "mp4" : "webm",
                                              path.constData()),
               reason))
        return false;
    m_stream = avformat_new_stream(m_context, nullptr);
    m_codec = avcodec_alloc_context3(codec);
    m_picture = av_frame_alloc();
    m_packet = av_packet_alloc();
    if (!m_stream || !m_codec || !m_picture || !m_packet) {
        *reason = QCoreApplication::translate("engine", "no memory for the video encoder");
        return false;
    }
    m_codec->width = frame.width();
    m_codec->height = frame.height();
    m_codec->pix_fmt = AV_PIX_FMT_YUV420P;
    m_codec->time_base = AVRational { 1, settings.fps };
    m_codec->framerate = AVRational { settings.fps, 1 };
    m_codec->color_range = AVCOL_RANGE_MPEG;
    m_codec->colorspace = AVCOL_SPC_BT470BG;
    m_codec->thread_count = 0;
    if (m_context->oformat->flags & AVFMT_GLOBALHEADER)
        m_codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    // Constant quality: quality 90 is each encoder's usual default (x264's CRF 23), and each
    // step of 5 below it costs about 2 CRF.
    const int crf = (mp4 ? 23 : 31) + (90 - settings.quality) * 2 / 5;
    AVDictionary *options = nullptr;
    av_dict_set_int(&options, "crf", std::clamp(crf, 0, mp4 ? 51 : 63), 0);
    if (!mp4) {
        m_codec->bit_rate = 0;
        av_dict_set(&options, "deadline", "good", 0);
        av_dict_set(&options, "cpu-used", "4", 0);
        av_dict_set(&options, "row-mt", "1", 0);
    }
    int code = avcodec_open2(m_codec, codec, &options);
    av_dict_free(&options);
    if (!check(code, reason)
        || !check(avcodec_parameters_from_context(m_stream->codecpar, m_codec), reason))
        return false;
    m_stream->time_base = m_codec->time_base;
    m_stream->avg_frame_rate = m_codec->framerate;
    m_picture->format = AV_PIX_FMT_YUV420P;
    m_picture->width = frame.width();
    m_picture->height = frame.height();
    if (!check(av_frame_get_buffer(m_picture, 0), reason)
        || !check(avio_open(&m_context->pb, path.constData(), AVIO_FLAG_WRITE), reason))
        return false;
    AVDictionary *muxer = nullptr;
    if (mp4)
        av_dict_set(&muxer, "movflags", "+faststart", 0);
    code = avformat_write_header(m_context, &muxer);
    av_dict_free(&muxer);
    m_scale = sws_getContext(frame.width(), frame.height(), AV_PIX_FMT_RGB24, frame.width(),
                             frame.height(), AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr,
                             nullptr);
    if (check(code, reason) && !m_scale) {
        *reason = QCoreApplication::translate("engine", "no memory for the video encoder");
        return false;
    }
    return code >= 0;
}

// --- Animated WebP through libwebp's animation encoder ---------------------------------------

QString webpError(int code)
{
    return QCoreApplication::translate("engine", "the WebP encoder failed (error %1)").arg(code);
}

class WebpEncoder final : public Encoder
{
public:
    ~WebpEncoder() override
    {
        if (m_encoder)
            WebPAnimEncoderDelete(m_encoder);
    }
    bool start(QSize frame, int, const LoopSettings &settings, QString *reason) override
    {
        m_fps = settings.fps;
        WebPAnimEncoderOptions options;
        if (!WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&m_config)) {
            *reason = webpError(0);
            return false;
        }
        options.anim_params.loop_count = 0; // forever
        m_config.quality = float(std::min(settings.quality, 99));
        m_encoder = WebPAnimEncoderNew(frame.width(), frame.height(), &options);
        if (!m_encoder) {
            *reason = QCoreApplication::translate("engine", "no memory for the WebP encoder");
            return false;
        }
        return true;
    }
    bool add(const QImage &frame, QString *reason) override
    {
        WebPPicture picture;
        WebPPictureInit(&picture);
        picture.use_argb = 1;
        picture.width = frame.width();
        picture.height = frame.height();
        bool ok = WebPPictureImportRGB(&picture, frame.constBits(), int(frame.bytesPerLine()))
            && WebPAnimEncoderAdd(m_encoder, &picture, timeOf(m_next, m_fps, 1000), &m_config);
        if (!ok)
            *reason = webpError(picture.error_code);
        WebPPictureFree(&picture);
        ++m_next;
        return ok;
    }
    bool finish(detail::StripSink &out, QString *reason) override
    {
        WebPData data;
        WebPDataInit(&data);
        bool ok = WebPAnimEncoderAdd(m_encoder, nullptr, timeOf(m_next, m_fps, 1000), nullptr)
            && WebPAnimEncoderAssemble(m_encoder, &data);
        if (!ok)
            *reason = webpError(0);
        ok = ok && out.write(reinterpret_cast<const char *>(data.bytes), qint64(data.size), reason);
        WebPDataClear(&data);
        return ok;
    }

private:
    WebPAnimEncoder *m_encoder = nullptr;
    WebPConfig m_config {};
    int m_fps = kDefaultLoopFps;
    qint64 m_next = 0;
};

// --- The strip writer that cuts the strip into frames ----------------------------------------

class LoopStripWriter final : public StripWriter
{
public:
    explicit LoopStripWriter(const LoopSettings &settings) : m_settings(settings)
    {
        switch (settings.format) {
        case LoopFormat::Gif:
            m_encoder = std::make_unique<GifEncoder>();
            break;
        case LoopFormat::Webp:
            m_encoder = std::make_unique<WebpEncoder>();
            break;
        case LoopFormat::Mp4:
        case LoopFormat::Webm:
            m_encoder = std::make_unique<VideoEncoder>(settings.format);
            break;
        }
    }
    bool open(const QString &path, QSize size, QString *reason) override
    {
        const int height = std::max(m_settings.frame.height(), 1);
        const int frames = size.height() / height;
        if (const QString problem = loopProblem(m_settings, frames); !problem.isEmpty()) {
            *reason = problem;
            return false;
        }
        m_frame
            = QImage(loopPictureSize(m_settings.format, m_settings.frame), QImage::Format_RGB888);
        if (m_frame.isNull()) {
            *reason = QCoreApplication::translate("engine", "no memory for a frame");
            return false;
        }
        return m_sink.openFile(path, reason)
            && m_encoder->start(m_frame.size(), frames, m_settings, reason);
    }
    bool writeRows(int top, const QImage &image, QString *reason) override
    {
        const QImage rows = image.format() == QImage::Format_RGB888
            ? image
            : image.convertToFormat(QImage::Format_RGB888);
        const int frameHeight = m_settings.frame.height();
        const qsizetype bytes = std::min(rows.bytesPerLine(), m_frame.bytesPerLine());
        for (int y = 0; y < rows.height(); ++y) {
            // Rows past the file's picture (an odd side cropped for video) are dropped.
            const int row = (top + y) % frameHeight;
            if (row < m_frame.height())
                std::memcpy(m_frame.scanLine(row), rows.constScanLine(y), std::size_t(bytes));
            if (row == frameHeight - 1 && !m_encoder->add(m_frame, reason))
                return false;
        }
        return true;
    }
    bool commit(QString *reason) override
    {
        return m_encoder->finish(m_sink, reason) && m_sink.commit(reason, m_group);
    }
    void cancel() override { m_sink.cancel(); }

private:
    LoopSettings m_settings;
    std::unique_ptr<Encoder> m_encoder;
    detail::StripSink m_sink;
    QImage m_frame;
};

} // namespace

std::optional<LoopFormat> loopFormatForPath(const QString &path, bool animate)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"gif"_s)
        return LoopFormat::Gif;
    if (suffix == u"mp4"_s)
        return LoopFormat::Mp4;
    if (suffix == u"webm"_s)
        return LoopFormat::Webm;
    if (suffix == u"webp"_s && animate)
        return LoopFormat::Webp;
    return std::nullopt;
}

QString loopFormatName(LoopFormat format)
{
    switch (format) {
    case LoopFormat::Mp4:
        return u"MP4"_s;
    case LoopFormat::Webm:
        return u"WebM"_s;
    case LoopFormat::Webp:
        return u"WebP"_s;
    case LoopFormat::Gif:
        break;
    }
    return u"GIF"_s;
}

QSize loopPictureSize(LoopFormat format, QSize frame)
{
    if (format == LoopFormat::Gif || format == LoopFormat::Webp)
        return frame;
    return { frame.width() & ~1, frame.height() & ~1 };
}

QString loopProblem(const LoopSettings &settings, qint64 frames)
{
    const QSize frame = settings.frame;
    const QSize picture = loopPictureSize(settings.format, frame);
    if (frames < 1 || frames > kMaxLoopFrames)
        return QCoreApplication::translate("engine", "a loop holds 1 to %1 frames, not %2")
            .arg(kMaxLoopFrames)
            .arg(frames);
    if (picture.isEmpty())
        return QCoreApplication::translate("engine",
                                           "a video frame needs at least 2 pixels a side");
    if (frame.width() > kMaxLoopSide || frame.height() > kMaxLoopSide
        || qint64(frame.width()) * frame.height() > kMaxLoopFramePixels)
        return QCoreApplication::translate(
                   "engine",
                   "a loop's frame is at most %1 pixels a side and %2 × %3 pixels in all, not "
                   "%4 × %5")
            .arg(kMaxLoopSide)
            .arg(kMaxLoopSide)
            .arg(kMaxLoopFramePixels / kMaxLoopSide)
            .arg(frame.width())
            .arg(frame.height());
    if (settings.format == LoopFormat::Gif
        && frames * qint64(frame.width()) * frame.height() * 4 > kMaxGifKeptBytes)
        return QCoreApplication::translate(
                   "engine",
                   "a GIF of %1 frames of %2 × %3 needs more than %4 MiB to make its palette; "
                   "use fewer frames, smaller frames or a video loop")
            .arg(frames)
            .arg(frame.width())
            .arg(frame.height())
            .arg(kMaxGifKeptBytes / kMega);
    return {};
}

std::unique_ptr<StripWriter> makeLoopWriter(const LoopSettings &settings)
{
    return std::make_unique<LoopStripWriter>(settings);
}

bool saveLoop(const QImage &strip, const QString &path, const LoopSettings &settings,
              QString *reason)
{
    const std::unique_ptr<StripWriter> writer = makeLoopWriter(settings);
    const int frames = strip.height() / std::max(settings.frame.height(), 1);
    const QSize size(settings.frame.width(), frames * settings.frame.height());
    if (!writer->open(path, size, reason)
        || !writer->writeRows(0, strip.copy(0, 0, size.width(), size.height()), reason)
        || !writer->commit(reason)) {
        writer->cancel();
        return false;
    }
    return true;
}

} // namespace engine
