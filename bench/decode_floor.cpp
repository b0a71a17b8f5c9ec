// SPDX-License-Identifier: GPL-3.0-or-later
// The bare decode floor: libjpeg-turbo decoding each file at the smallest DCT scale whose
// result covers the frame, into a scratch buffer, nothing else.
// Usage: decode_floor WIDTH HEIGHT FILE...
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: decode_floor WIDTH HEIGHT FILE...\n");
        return 2;
    }
    const auto fw = unsigned(std::atoi(argv[1])), fh = unsigned(std::atoi(argv[2]));
    jpeg_decompress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_decompress(&info);
    std::vector<unsigned char> buffer;
    for (int i = 3; i < argc; ++i) {
        std::FILE *f = std::fopen(argv[i], "rb");
        if (!f) {
            std::perror(argv[i]);
            return 1;
        }
        jpeg_stdio_src(&info, f);
        jpeg_read_header(&info, TRUE);
        unsigned n = 1;
        while (n < 8
               && ((info.image_width * n + 7) / 8 < fw || (info.image_height * n + 7) / 8 < fh))
            ++n;
        info.scale_num = n;
        info.scale_denom = 8;
        info.out_color_space = JCS_EXT_BGRX;
        jpeg_start_decompress(&info);
        buffer.resize(info.output_width * 4u);
        JSAMPROW row = buffer.data();
        while (info.output_scanline < info.output_height)
            jpeg_read_scanlines(&info, &row, 1);
        jpeg_finish_decompress(&info);
        std::fclose(f);
    }
    jpeg_destroy_decompress(&info);
    return 0;
}
