// SPDX-License-Identifier: GPL-3.0-or-later
#include "jpeg.h"

#include "decode.h"
#include "orientation.h"
#include "working_set.h"

#include <QCoreApplication>
#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
// jpeglib.h first: jerror.h needs its types.
#include <jerror.h>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

// What libjpeg itself may allocate for one picture: coefficient buffers of progressive and
// multi-scan files above all, which no check of the output size sees.
constexpr long kLibjpegBudget = long(kMaxDecodeBytes);

struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char text[JMSG_LENGTH_MAX];
};

extern "C" void onJpegError(j_common_ptr info)
{
    auto *err = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, err->text);
    std::longjmp(err->jump, 1);
}

// Warnings (a truncated file is one) are not errors: the decoder fills what is missing.
extern "C" void onJpegMessage(j_common_ptr, int) { }

// The orientation tag of the APP1 (EXIF) segment that jpeg_save_markers kept, or 1.
int orientationOf(const jpeg_decompress_struct &info)
{
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker; marker = marker->next)
        if (marker->marker == JPEG_APP0 + 1 && marker->data_length > 6
            && std::memcmp(marker->data, "Exif\0\0", 6) == 0)
            return exifOrientation(marker->data, marker->data_length);
    return 1;
}

// Feeds libjpeg from the device as it decodes. A read that finds nothing more (the file was
// cut, even while being decoded) ends the picture as a truncated one.
struct Source
{
    jpeg_source_mgr pub;
    QIODevice *device;
    bool started;
    JOCTET buffer[16 * 1024];
};

extern "C" void initSource(j_decompress_ptr) { }

extern "C" boolean fillInput(j_decompress_ptr info)
{
    auto *source = reinterpret_cast<Source *>(info->src);
    qint64 count = source->device->read(reinterpret_cast<char *>(source->buffer),
                                        qint64(sizeof source->buffer));
    if (count <= 0) {
        if (!source->started)
            ERREXIT(info, JERR_INPUT_EMPTY);
        WARNMS(info, JWRN_JPEG_EOF);
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        count = 2;
    }
    source->started = true;
    source->pub.next_input_byte = source->buffer;
    source->pub.bytes_in_buffer = static_cast<size_t>(count);
    return TRUE;
}

extern "C" void skipInput(j_decompress_ptr info, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr *source = info->src;
    while (static_cast<size_t>(count) > source->bytes_in_buffer) {
        count -= static_cast<long>(source->bytes_in_buffer);
        fillInput(info);
    }
    source->next_input_byte += count;
    source->bytes_in_buffer -= static_cast<size_t>(count);
}

extern "C" void termSource(j_decompress_ptr) { }

// Starts `info` on `device` from its start, with libjpeg's own allocations held to the budget
// (beyond it libjpeg stops with "backing store not supported").
void begin(jpeg_decompress_struct &info, Source &source, QIODevice &device)
{
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kLibjpegBudget;
    source.pub.init_source = initSource;
    source.pub.fill_input_buffer = fillInput;
    source.pub.skip_input_data = skipInput;
    source.pub.resync_to_restart = jpeg_resync_to_restart;
    source.pub.term_source = termSource;
    source.pub.next_input_byte = nullptr;
    source.pub.bytes_in_buffer = 0;
    source.device = &device;
    source.started = false;
    info.src = &source.pub;
}

void installErrors(jpeg_decompress_struct &info, ErrorManager &err)
{
    info.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onJpegError;
    err.pub.emit_message = onJpegMessage;
    err.text[0] = '\0';
}

// Bytes of the coefficient buffers libjpeg keeps for a file it cannot decode in one pass.
qint64 coefficientBytes(const jpeg_decompress_struct &info)
{
    if (!jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(&info)))
        return 0;
    qint64 bytes = 0;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info &component = info.comp_info[c];
        const auto roundUp = [](qint64 value, int to) { return (value + to - 1) / to * to; };
        bytes += roundUp(component.width_in_blocks, component.h_samp_factor)
            * roundUp(component.height_in_blocks, component.v_samp_factor) * DCTSIZE2
            * qint64(sizeof(JCOEF));
    }
    return bytes;
}

bool readHeader(QIODevice &device, JpegHeader *header, char *message)
{
    jpeg_decompress_struct info;
    ErrorManager err;
    Source source;
    installErrors(info, err);
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.text);
        return false;
    }
    begin(info, source, device);
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&info, TRUE);
    header->orientation = orientationOf(info);
    header->size = QSize(int(std::min<JDIMENSION>(info.image_width, INT_MAX)),
                         int(std::min<JDIMENSION>(info.image_height, INT_MAX)));
    header->multiScan = jpeg_has_multiple_scans(&info) != 0;
    header->coefficientBytes = coefficientBytes(info);
    jpeg_destroy_decompress(&info);
    return true;
}

// Everything between setjmp and the last libjpeg call is plain data, so the long jump out of
// libjpeg skips no destructor. The picture comes out as stored; `orientation` says how to turn
// it upright.
JpegResult decode(QIODevice &device, QSize frame, Fit fit, QImage *image, int *orientation,
                  char *message, bool *overBudget)
{
    jpeg_decompress_struct info;
    ErrorManager err;
    Source source;
    installErrors(info, err);
    if (setjmp(err.jump)) {
        *overBudget = err.pub.msg_code == JERR_NO_BACKING_STORE;
        jpeg_destroy_decompress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.text);
        return JpegResult::Failed;
    }
    begin(info, source, device);
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&info, TRUE);
    *orientation = orientationOf(info);
    if (coefficientBytes(info) > kLibjpegBudget) {
        jpeg_destroy_decompress(&info);
        *overBudget = true;
        return JpegResult::Failed;
    }
    // libjpeg turns YCCK into CMYK; CMYK into RGB is done below, as Adobe's inverted CMYK.
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX; // BGRX: RGB32's byte order
    // A picture turned a quarter is stored with the frame's sides the other way round.
    const bool turned = swapsSides(*orientation);
    const QSize stored(int(info.image_width), int(info.image_height));
    const QSize target = decodeTarget(turned ? stored.transposed() : stored, frame, fit);
    info.scale_num
        = static_cast<unsigned>(jpegScaleEighths(stored, turned ? target.transposed() : target));
    info.scale_denom = 8;
    jpeg_calc_output_dimensions(&info);
    // Checked against the header before anything is allocated.
    if (qint64(info.output_width) * info.output_height * 4 > kMaxDecodeBytes) {
        jpeg_destroy_decompress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "demasiado grande (%ux%u píxeles)",
                      info.output_width, info.output_height);
        return JpegResult::Failed;
    }
    jpeg_start_decompress(&info);
    *image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (image->isNull()) {
        jpeg_destroy_decompress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "no hay memoria para %ux%u píxeles",
                      info.output_width, info.output_height);
        return JpegResult::Failed;
    }
    // libjpeg's pool frees the CMYK row with the decoder, on every way out.
    JSAMPARRAY cmykRow = cmyk ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info),
                                                          JPOOL_IMAGE, info.output_width * 4, 1)
                              : nullptr;
    bool complete = true;
    while (info.output_scanline < info.output_height) {
        auto *out = reinterpret_cast<QRgb *>(image->scanLine(int(info.output_scanline)));
        JSAMPROW row = cmyk ? cmykRow[0] : reinterpret_cast<JSAMPROW>(out);
        if (jpeg_read_scanlines(&info, &row, 1) != 1) {
            complete = false; // only a suspending source stops early; ours never does
            break;
        }
        const JSAMPLE *in = row;
        for (JDIMENSION x = 0; cmyk && x < info.output_width; ++x, in += 4) {
            const int k = in[3];
            out[x] = qRgb(k * in[0] / 255, k * in[1] / 255, k * in[2] / 255);
        }
    }
    if (complete)
        jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    if (!complete) {
        *image = QImage();
        std::snprintf(message, JMSG_LENGTH_MAX, "faltan filas");
        return JpegResult::Failed;
    }
    return JpegResult::Decoded;
}

QString damaged(const char *message)
{
    return QCoreApplication::translate("engine", "damaged or incomplete picture data (%1)")
        .arg(QString::fromLocal8Bit(message));
}

} // namespace

bool readJpegHeader(QIODevice &device, JpegHeader *header, QString *reason)
{
    const qint64 at = device.pos();
    if (!device.seek(0)) {
        *reason = QCoreApplication::translate("engine", "the file could not be read");
        return false;
    }
    char message[JMSG_LENGTH_MAX];
    const bool ok = readHeader(device, header, message);
    device.seek(at);
    if (!ok)
        *reason = damaged(message);
    return ok;
}

int jpegScaleEighths(QSize full, QSize frame)
{
    for (int n = 1; n < 8; ++n) {
        // libjpeg rounds scaled sides up
        const qint64 w = (qint64(full.width()) * n + 7) / 8;
        const qint64 h = (qint64(full.height()) * n + 7) / 8;
        if (w >= frame.width() && h >= frame.height())
            return n;
    }
    return 8;
}

JpegResult decodeJpegReduced(QFile &file, QSize frame, Fit fit, QImage *image, QString *reason)
{
    if (!file.seek(0)) {
        *reason = QCoreApplication::translate("engine", "the file could not be read");
        return JpegResult::Failed;
    }
    char message[JMSG_LENGTH_MAX];
    message[0] = '\0';
    bool overBudget = false;
    QImage decoded;
    int orientation = 1;
    const JpegResult result
        = decode(file, frame, fit, &decoded, &orientation, message, &overBudget);
    if (result == JpegResult::Failed && overBudget) {
        JpegHeader header;
        QString ignored;
        readJpegHeader(file, &header, &ignored);
        *reason = QCoreApplication::translate(
                      "engine", "the %1 × %2 pixel picture needs more than %3 MB to be decoded")
                      .arg(header.size.width())
                      .arg(header.size.height())
                      .arg(kMaxDecodeMegabytes);
    } else if (result == JpegResult::Failed) {
        *reason = damaged(message);
    } else {
        *image = upright(decoded, orientation);
    }
    return result;
}

} // namespace engine
