#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "assets/builtin_fonts.h"
#include "assets/korvane_assets.h"

namespace {

TEST(EmbeddedFiles, GameFilesComeInRegistrationOrderWithTheirSizes) {
  // Sizes: the PNGs vary with the design; the BMP is 54 + 800 * 600 * 4; the
  // WAVs are 44 + 4 bytes per stereo frame (4,322,304 and 38,959 frames).
  struct Expected {
    const char* name;
    size_t size;  // 0: any non-empty size
  } expected[] = {{"player1.bmp", 0},
                  {"player2.bmp", 0},
                  {"wall.bmp", 1920054},
                  {"hungry.wav", 17289260},
                  {"doing.wav", 155880}};
  const auto& files = KorvaneGameFiles();
  ASSERT_EQ(files.size(), std::size(expected));
  for (size_t i = 0; i < files.size(); ++i) {
    EXPECT_STREQ(files[i].name, expected[i].name);
    ASSERT_NE(files[i].data, nullptr);
    if (expected[i].size) {
      EXPECT_EQ(files[i].size, expected[i].size) << files[i].name;
    } else {
      EXPECT_GT(files[i].size, 100u) << files[i].name;
    }
  }
}

TEST(EmbeddedFiles, BothFontNamesHoldTheSame1536Bytes) {
  const EmbeddedFile gl = GLDrawTextFontFile();
  const EmbeddedFile kelvo = KelvoFontFile();
  EXPECT_STREQ(gl.name, "gldrawtextfont.bin");
  EXPECT_STREQ(kelvo.name, "kelvofont.bin");
  ASSERT_EQ(gl.size, 1536u);
  ASSERT_EQ(kelvo.size, 1536u);
  EXPECT_TRUE(std::equal(gl.data, gl.data + gl.size, kelvo.data));
}

}  // namespace
