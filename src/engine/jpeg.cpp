#include "jpeg.h"

#include "orientation.h"

#include <QCoreApplication>
#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

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

// Everything between setjmp and the last libjpeg call is plain data, so the long jump out of
// libjpeg skips no destructor. The picture comes out as stored; `orientation` says how to turn
// it upright.
JpegResult decode(const uchar *data, qint64 size, QSize frame, QImage *image, int *orientation,
                  char *message)
{
    jpeg_decompress_struct info;
    ErrorManager err;
    info.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onJpegError;
    err.pub.emit_message = onJpegMessage;
    err.text[0] = '\0';
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.text);
        return JpegResult::Failed;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&info, TRUE);
    *orientation = orientationOf(info);
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        jpeg_destroy_decompress(&info);
        return JpegResult::Unsupported;
    }
    info.out_color_space = JCS_EXT_BGRX; // RGB32's byte order on little-endian machines
    // A picture turned a quarter is stored with the frame's sides the other way round.
    info.scale_num = static_cast<unsigned>(
        jpegScaleEighths(QSize(int(info.image_width), int(info.image_height)),
                         swapsSides(*orientation) ? frame.transposed() : frame));
    info.scale_denom = 8;
    jpeg_calc_output_dimensions(&info);
    if (qint64(info.output_width) * info.output_height * 4 > kMaxDecodedBytes) {
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
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return JpegResult::Decoded;
}

} // namespace

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

JpegResult decodeJpegReduced(QFile &file, QSize frame, QImage *image, QString *reason)
{
    // Mapping saves a copy of the compressed bytes; a file that cannot be mapped is read.
    qint64 length = file.size();
    const uchar *data = length > 0 ? file.map(0, length) : nullptr;
    QByteArray bytes;
    if (!data) {
        if (!file.seek(0)) {
            *reason = QCoreApplication::translate("engine", "no se pudo leer el archivo");
            return JpegResult::Failed;
        }
        bytes = file.readAll();
        data = reinterpret_cast<const uchar *>(bytes.constData());
        length = bytes.size();
    }
    if (length <= 0) {
        *reason = QCoreApplication::translate("engine", "archivo vacío");
        return JpegResult::Failed;
    }
    char message[JMSG_LENGTH_MAX];
    QImage decoded;
    int orientation = 1;
    const JpegResult result = decode(data, length, frame, &decoded, &orientation, message);
    if (result == JpegResult::Failed)
        *reason
            = QCoreApplication::translate("engine", "datos de imagen dañados o incompletos (%1)")
                  .arg(QString::fromLocal8Bit(message));
    else if (result == JpegResult::Decoded)
        *image = upright(decoded, orientation);
    return result;
}

} // namespace engine
