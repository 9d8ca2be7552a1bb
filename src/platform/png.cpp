#include "png.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace platform {

bool writePng(const std::string& path, const Pixels& pix, int scale, std::string& why) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        why = path + ": " + std::strerror(errno);
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        why = path + ": cannot write PNG";
        return false;
    }
    const png_uint_32 w = WIDTH * scale, h = HEIGHT * scale;
    png_init_io(png, f);
    png_set_IHDR(png, info, w, h, 4, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_color palette[16];
    for (int i = 0; i < 16; ++i) palette[i] = {PALETTE[i].r, PALETTE[i].g, PALETTE[i].b};
    png_set_PLTE(png, info, palette, 16);
    png_write_info(png, info);
    std::vector<png_byte> row((w + 1) / 2);
    for (int y = 0; y < HEIGHT; ++y) {
        std::fill(row.begin(), row.end(), 0);
        for (png_uint_32 x = 0; x < w; ++x) {
            const uint8_t c = pix[y][x / scale];
            row[x / 2] |= (x & 1) ? c : static_cast<png_byte>(c << 4);
        }
        for (int k = 0; k < scale; ++k) png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    const bool ok = std::fclose(f) == 0;
    if (!ok) why = path + ": " + std::strerror(errno);
    return ok;
}

}  // namespace platform
