#include "assets/generator/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

bool WritePng(const std::string& path, const RgbaPicture& picture) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    std::fclose(file);
    return false;
  }
  std::vector<png_bytep> rows(picture.height);
  for (int y = 0; y < picture.height; ++y) rows[y] = const_cast<png_bytep>(picture.At(0, y));
  bool ok = false;
  if (setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, picture.width, picture.height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    ok = true;
  }
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0 && ok;
}
