#include "media/png_loader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "media/bmp_loader.h"
#include "media/ram_stream.h"
#include "media/resources.h"
#include "media/stream_exception.h"
#include "tests/media/bmp_writer.h"
#include "tests/media/png_writer.h"
#include "tests/support/temp_dir.h"

namespace {

class PngLoader : public testing::Test {
 protected:
  void SetUp() override {
    InitBMPLoader();
    InitPNGLoader();
  }
};

Ref<TStream> Memory(const PngBytes& bytes) { return CreateRamStream(bytes.data(), int(bytes.size())); }

// Through the whole reader chain, from memory.
Ref<TPixmap> Load(const PngBytes& bytes) { return LoadPixmap(Memory(bytes)); }

uint32_t At(const TPixmap* p, int x, int y) { return uint32_t(p->ReadPixel(x, y)); }

std::vector<uint8_t> Row(const TPixmap* p, int y) {
  const uint8_t* r = p->PixelPtr(0, y);
  return {r, r + p->width * BytesPerPixel[p->format]};
}

struct DepthCase {
  const char* what;
  PngSpec png;
  int format;
  std::vector<std::vector<uint8_t>> rows;  // expected pixmap bytes per row
};

// Every supported colour type and depth, with the pixels worked out by hand.
std::vector<DepthCase> DepthCases() {
  std::vector<DepthCase> cases;
  auto add = [&](const char* what, uint32_t w, uint32_t h, int depth, int type, std::vector<PngBytes> rows,
                 int format, std::vector<std::vector<uint8_t>> expected, PngBytes plte = {},
                 PngBytes trns = {}) {
    PngSpec s;
    s.width = w, s.height = h, s.depth = depth, s.colour_type = type, s.rows = std::move(rows);
    s.palette = std::move(plte), s.trns = std::move(trns);
    cases.push_back({what, s, format, std::move(expected)});
  };
  // Bits 1010000011: samples expand to 0 or 255.
  add("1-bit grey", 10, 1, 1, 0, {{0xA0, 0xC0}}, 1, {{255, 0, 255, 0, 0, 0, 0, 0, 255, 255}});
  // 2-bit samples 0..3 scale by 85.
  add("2-bit grey", 4, 1, 2, 0, {{0x1B}}, 1, {{0, 85, 170, 255}});
  add("8-bit grey", 2, 2, 8, 0, {{7, 200}, {0, 255}}, 1, {{7, 200}, {0, 255}});
  add("16-bit grey", 2, 1, 16, 0, {{0x12, 0x34, 0xAB, 0xCD}}, 1, {{0x12, 0xAB}});
  add("8-bit RGB", 2, 2, 8, 2, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}, 4,
      {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}});
  add("16-bit RGB", 1, 1, 16, 2, {{0xA1, 0, 0xB2, 0, 0xC3, 0xFF}}, 4, {{0xA1, 0xB2, 0xC3}});
  add("8-bit RGBA", 2, 1, 8, 6, {{1, 2, 3, 4, 5, 6, 7, 8}}, 6, {{1, 2, 3, 4, 5, 6, 7, 8}});
  add("16-bit RGBA keeps high bytes", 1, 1, 16, 6, {{0x11, 0x99, 0x22, 0x99, 0x33, 0x99, 0x44, 0x99}}, 6,
      {{0x11, 0x22, 0x33, 0x44}});
  add("grey with alpha", 2, 1, 8, 4, {{10, 20, 30, 40}}, 6, {{10, 10, 10, 20, 30, 30, 30, 40}});
  add("16-bit grey with alpha", 1, 1, 16, 4, {{0x50, 1, 0x60, 2}}, 6, {{0x50, 0x50, 0x50, 0x60}});
  add("2-bit palette", 3, 1, 2, 3, {{0x24}}, 4, {{10, 20, 30, 70, 80, 90, 40, 50, 60}},
      {10, 20, 30, 40, 50, 60, 70, 80, 90});  // 0x24: indices 0, 2, 1 (and 0 unused)
  // tRNS gives entries 0 and 1 alpha 0 and 128; entry 2 stays opaque.
  add("palette with transparency", 3, 1, 8, 3, {{0, 1, 2}}, 6, {{1, 2, 3, 0, 4, 5, 6, 128, 7, 8, 9, 255}},
      {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 128});
  // Grey 8-bit with the transparent value 7.
  add("grey with transparency", 2, 1, 8, 0, {{7, 200}}, 6, {{7, 7, 7, 0, 200, 200, 200, 255}}, {}, {0, 7});
  return cases;
}

TEST_F(PngLoader, EveryDepthAndColourType) {
  for (const DepthCase& c : DepthCases()) {
    Ref<TPixmap> p = Load(MakePng(c.png));
    ASSERT_TRUE(p) << c.what;
    EXPECT_EQ(p->format, c.format) << c.what;
    EXPECT_EQ(p->width, int(c.png.width)) << c.what;
    EXPECT_EQ(p->height, int(c.png.height)) << c.what;
    EXPECT_EQ(p->pitch % 4, 0) << c.what;
    for (size_t y = 0; y < c.rows.size(); ++y) EXPECT_EQ(Row(p, int(y)), c.rows[y]) << c.what << " row " << y;
  }
}

TEST_F(PngLoader, InterlacedPicturesComeOutWhole) {
  PngSpec s;
  s.width = 11;
  s.height = 9;
  s.colour_type = 2;
  s.interlaced = true;
  s.bytes_per_pixel = 3;
  PngBytes picture;
  for (uint32_t y = 0; y < s.height; ++y)
    for (uint32_t x = 0; x < s.width; ++x)
      picture.insert(picture.end(), {uint8_t(x * 10), uint8_t(y * 10), 77});
  s.rows = {picture};
  Ref<TPixmap> p = Load(MakePng(s));
  ASSERT_TRUE(p);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 11; ++x)
      EXPECT_EQ(At(p, x, y), 0xFF00004Du | uint32_t(x * 10) << 16 | uint32_t(y * 10) << 8);
}

TEST_F(PngLoader, APngUnderABmpNameLoadsByContent) {
  PngSpec s;
  s.colour_type = 6;
  s.rows = {{9, 8, 7, 6}};
  const PngBytes png = MakePng(s);
  TempDir dir;
  std::ofstream(dir.File("player1.bmp"), std::ios::binary)
      .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
  Ref<TPixmap> p = LoadPixmap(dir.File("player1.bmp"));
  ASSERT_TRUE(p);
  EXPECT_EQ(At(p, 0, 0), 0x06090807u);
  static PngBytes embedded;
  embedded = png;
  RegisterResource("png-named.bmp", embedded.data(), int(embedded.size()));
  Ref<TPixmap> q = LoadPixmap("incbin::png-named.bmp");
  ASSERT_TRUE(q);
  EXPECT_EQ(q->format, 6);
}

TEST_F(PngLoader, ABmpIsDeclinedAndTheStreamStaysUsable) {
  BmpSpec b;
  b.bits = 32;
  b.rows = {{1, 2, 3, 4}};
  const std::vector<uint8_t> bmp = MakeBmp(b);
  Ref<TStream> s = Memory(bmp);
  EXPECT_FALSE(LoadPixmapPNG(s));
  EXPECT_EQ(s->Pos(), 8);  // still open: the caller rewinds and goes on
  EXPECT_EQ(s->Seek(0), 0);
  EXPECT_EQ(s->ReadByte(), 'B');
  Ref<TPixmap> p = Load(bmp);  // the chain hands it to the BMP reader
  ASSERT_TRUE(p);
  EXPECT_EQ(p->format, 5);
}

TEST_F(PngLoader, ShortDataEndsWithTheStreamError) {
  const PngBytes tiny(kPngSignature.begin(), kPngSignature.begin() + 5);
  EXPECT_THROW(LoadPixmapPNG(Memory(tiny)), TStreamReadException);
  PngSpec s;
  s.rows = {{1, 2, 3}};
  PngBytes cut = MakePng(s);
  cut.resize(8 + 25);  // signature and IHDR only
  EXPECT_THROW(LoadPixmapPNG(Memory(cut)), TStreamReadException);
  EXPECT_FALSE(Load(cut));  // which the chain counts as declining
}

TEST_F(PngLoader, CorruptDataGivesNull) {
  PngSpec s;
  s.width = 4;
  s.height = 4;
  s.colour_type = 2;
  for (int y = 0; y < 4; ++y) s.rows.push_back(PngBytes(12, uint8_t(y * 50)));
  const PngBytes good = MakePng(s);
  ASSERT_TRUE(Load(good));
  const size_t ihdr_crc = 8 + 8 + 13, idat_data = 8 + 25 + 8;
  struct Case {
    const char* what;
    size_t at;
  };
  const Case cases[] = {
      {"IHDR checksum", ihdr_crc},          {"IDAT zlib header", idat_data},
      {"IDAT deflate data", idat_data + 4}, {"IDAT checksum", good.size() - 12 - 1},
      {"IHDR colour type", 8 + 8 + 9},
  };
  for (const Case& c : cases) {
    PngBytes bad = good;
    bad[c.at] ^= 0x5A;
    EXPECT_FALSE(LoadPixmapPNG(Memory(bad))) << c.what;  // null, not an exception
  }
}

TEST_F(PngLoader, AbsurdSizesGiveNullBeforeAllocating) {
  struct Case {
    const char* what;
    uint32_t w, h;
    int type;
  };
  const Case cases[] = {
      {"60000 x 60000 RGBA from a few bytes", 60000, 60000, 6},
      {"beyond the PNG limit", 0x80000000u, 1, 0},
      {"zero width", 0, 5, 0},
      {"more pixels than an int of bytes", 1000000, 1000000, 0},
  };
  for (const Case& c : cases) {
    PngBytes png = kPngSignature;
    PutChunk(png, "IHDR", IhdrBody(c.w, c.h, 8, c.type, false));
    PutChunk(png, "IDAT", Deflate(PngBytes(64, 0)));
    PutChunk(png, "IEND", {});
    EXPECT_FALSE(Load(png)) << c.what;
  }
}

TEST_F(PngLoader, EveryTruncationGivesNull) {
  PngSpec s;
  s.width = 3;
  s.height = 2;
  s.colour_type = 3;
  s.depth = 8;
  s.palette = {1, 2, 3, 4, 5, 6};
  s.trns = {9};
  s.rows = {{0, 1, 0}, {1, 1, 0}};
  const PngBytes whole = MakePng(s);
  ASSERT_TRUE(Load(whole));
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    EXPECT_FALSE(Load(PngBytes(whole.begin(), whole.begin() + long(cut)))) << "cut at " << cut;
  }
}

TEST_F(PngLoader, SavedPicturesReadBack) {
  TempDir dir;
  Ref<TPixmap> rgba = CreatePixmap(3, 2, PF_RGBA8888);
  for (int i = 0; i < 6; ++i) rgba->WritePixel(i % 3, i / 3, int(0x10203040u * uint32_t(i + 1)));
  ASSERT_EQ(SavePixmapPNG(rgba, dir.File("a.png")), 1);
  Ref<TPixmap> back = LoadPixmapPNG(dir.File("a.png"));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->format, 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(At(back, i % 3, i / 3), 0x10203040u * uint32_t(i + 1));

  Ref<TPixmap> bgr = rgba->Convert(PF_BGR888);
  ASSERT_EQ(SavePixmapPNG(bgr, dir.File("b.png")), 1);
  Ref<TPixmap> rgb = LoadPixmapPNG(dir.File("b.png"));
  ASSERT_TRUE(rgb);
  EXPECT_EQ(rgb->format, 4);
  EXPECT_EQ(At(rgb, 2, 1), 0xFF000000u | (0x10203040u * 6 & 0xFFFFFF));

  EXPECT_EQ(SavePixmapPNG(rgba, "incbin::nowhere"), 0);
}

}  // namespace
