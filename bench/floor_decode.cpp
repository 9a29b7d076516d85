// The floor of fitting a PNG to the map: libpng decoding every row of it to 8-bit RGBA, with
// the transforms the picture reader sets, and nothing else. A yardstick, not product code.
#include <png.h>

#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: floor_decode PICTURE.png\n");
        return 2;
    }
    FILE *in = std::fopen(argv[1], "rb");
    if (!in)
        return 1;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)))
        return 1;
    png_init_io(png, in);
    png_set_user_limits(png, 0x7fffffff, 0x7fffffff);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    if (!(png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    std::vector<png_byte> row(png_get_rowbytes(png, info));
    unsigned sum = 0;
    for (png_uint_32 y = 0; y < png_get_image_height(png, info); ++y) {
        png_read_row(png, row.data(), nullptr);
        sum += row[y % row.size()];
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(in);
    return sum == 0xffffffffu ? 3 : 0;
}
