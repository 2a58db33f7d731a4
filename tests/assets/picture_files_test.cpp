#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <set>
#include <vector>

#include "tests/assets/asset_bytes.h"

namespace {

struct DecodedPng {
  bool ok = false;
  png_uint_32 width = 0, height = 0;
  int bit_depth = 0, color_type = 0, interlace = 0;
  std::vector<unsigned char> rgba;  // rows top first, 4 bytes a pixel
};

struct MemoryReader {
  std::span<const unsigned char> bytes;
  size_t at = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t n) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (reader->at + n > reader->bytes.size()) png_error(png, "truncated");
  std::memcpy(out, reader->bytes.data() + reader->at, n);
  reader->at += n;
}

// Decodes with libpng itself, keeping the header fields as stored.
DecodedPng DecodePng(std::span<const unsigned char> bytes) {
  DecodedPng result;
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) return result;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  MemoryReader reader{bytes};
  if (setjmp(png_jmpbuf(png)) == 0) {
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_read_info(png, info);
    png_get_IHDR(png, info, &result.width, &result.height, &result.bit_depth, &result.color_type,
                 &result.interlace, nullptr, nullptr);
    if (result.bit_depth == 8 && result.color_type == PNG_COLOR_TYPE_RGB_ALPHA) {
      result.rgba.resize(size_t{result.width} * result.height * 4);
      std::vector<png_bytep> rows(result.height);
      for (png_uint_32 y = 0; y < result.height; ++y) rows[y] = &result.rgba[size_t{y} * result.width * 4];
      png_read_image(png, rows.data());
      png_read_end(png, nullptr);
      result.ok = true;
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return result;
}

struct ColourMeans {
  double r = 0, g = 0, b = 0;
};

ColourMeans Means(const std::vector<unsigned char>& rgba) {
  ColourMeans m;
  const double n = rgba.size() / 4.0;
  for (size_t i = 0; i < rgba.size(); i += 4) {
    m.r += rgba[i] / n;
    m.g += rgba[i + 1] / n;
    m.b += rgba[i + 2] / n;
  }
  return m;
}

TEST(PaddlePictures, ArePngDataOf8BitRgbaAtTheirSizes) {
  struct Case {
    const char* name;
    png_uint_32 width, height;
  } cases[] = {{"player1.bmp", 27, 79}, {"player2.bmp", 27, 80}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DecodedPng png = DecodePng(GameFile(c.name));
    ASSERT_TRUE(png.ok);
    EXPECT_EQ(png.width, c.width);
    EXPECT_EQ(png.height, c.height);
    EXPECT_EQ(png.bit_depth, 8);
    EXPECT_EQ(png.color_type, PNG_COLOR_TYPE_RGB_ALPHA);
    EXPECT_EQ(png.interlace, PNG_INTERLACE_NONE);
    // Opaque everywhere, and a picture rather than a flat fill.
    std::set<uint32_t> colours;
    for (size_t i = 0; i < png.rgba.size(); i += 4) {
      EXPECT_EQ(png.rgba[i + 3], 255) << "pixel " << i / 4;
      colours.insert(png.rgba[i] << 16 | png.rgba[i + 1] << 8 | png.rgba[i + 2]);
    }
    EXPECT_GE(colours.size(), 20u);
  }
}

TEST(PaddlePictures, PlayerIsBlueAndEnemyIsRed) {
  const ColourMeans player = Means(DecodePng(GameFile("player1.bmp")).rgba);
  const ColourMeans enemy = Means(DecodePng(GameFile("player2.bmp")).rgba);
  EXPECT_GT(player.b, player.r + 60);
  EXPECT_GT(enemy.r, enemy.b + 60);
  // Bright enough to show under the scene's lights (which multiply them).
  EXPECT_GT(std::max({player.r, player.g, player.b}), 120);
  EXPECT_GT(std::max({enemy.r, enemy.g, enemy.b}), 120);
}

TEST(WallPicture, HasTheUncompressed32BitHeaderWithPixelsAtOffset54) {
  const auto bmp = GameFile("wall.bmp");
  ASSERT_EQ(bmp.size(), 1920054u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(Le32(bmp, 2), 1920054u);   // file size
  EXPECT_EQ(Le32(bmp, 10), 54u);       // pixel data offset
  EXPECT_EQ(Le32(bmp, 14), 40u);       // info header size
  EXPECT_EQ(Le32(bmp, 18), 800u);      // width
  EXPECT_EQ(Le32(bmp, 22), 600u);      // height, positive: bottom row first
  EXPECT_EQ(Le16(bmp, 26), 1u);        // planes
  EXPECT_EQ(Le16(bmp, 28), 32u);       // bits per pixel
  EXPECT_EQ(Le32(bmp, 30), 0u);        // no compression
  EXPECT_EQ(Le32(bmp, 34), 1920000u);  // image size
  EXPECT_EQ(Le32(bmp, 46), 0u);        // no colour table
}

// Over the additive overlay the picture must leave the scene readable: mostly
// dark, darker in the middle where the game is played, with stars in it.
TEST(WallPicture, IsADarkOpaqueStarFieldDimmestInTheMiddle) {
  const auto bmp = GameFile("wall.bmp");
  ASSERT_EQ(bmp.size(), 1920054u);
  auto pixel = [&](int x, int y_from_top) { return &bmp[54 + (size_t(599 - y_from_top) * 800 + x) * 4]; };
  double total = 0, middle = 0, border = 0;
  int middle_n = 0, border_n = 0, stars = 0;
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      const unsigned char* p = pixel(x, y);  // B G R A
      ASSERT_EQ(p[3], 255) << x << "," << y;
      const int level = std::max({p[0], p[1], p[2]});
      total += level;
      if (level > 160) ++stars;
      if (x >= 250 && x < 550 && y >= 200 && y < 400) {
        middle += level;
        ++middle_n;
      } else if (x < 100 || x >= 700 || y < 100 || y >= 500) {
        border += level;
        ++border_n;
      }
    }
  }
  EXPECT_LT(total / (800 * 600), 0.12 * 255);
  EXPECT_LT(middle / middle_n, border / border_n);
  EXPECT_GT(stars, 100);
  EXPECT_LT(stars, 800 * 600 / 100);
}

}  // namespace
