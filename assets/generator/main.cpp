// korvane_assetgen <folder>: writes the game's pictures, sounds and built-in
// font into the folder. The output depends on nothing but this program, so
// every run writes the same bytes.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "assets/generator/bmp_writer.h"
#include "assets/generator/font_glyphs.h"
#include "assets/generator/hit_sound.h"
#include "assets/generator/paddle_picture.h"
#include "assets/generator/png_writer.h"
#include "assets/generator/tune.h"
#include "assets/generator/wall_picture.h"
#include "assets/generator/wav_writer.h"

namespace {

bool WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return static_cast<bool>(file.flush());
}

bool Report(bool ok, const std::string& path) {
  if (!ok) std::fprintf(stderr, "korvane_assetgen: cannot write %s\n", path.c_str());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvane_assetgen <output folder>\n");
    return 2;
  }
  if (!std::filesystem::is_directory(argv[1])) {
    std::fprintf(stderr, "korvane_assetgen: %s is not a folder\n", argv[1]);
    return 1;
  }
  const std::string dir = std::string(argv[1]) + "/";
  const auto font = PackFont();
  bool ok =
      Report(WritePng(dir + "player1.bmp", PaintPaddle(27, 79, PlayerPaddleScheme())), dir + "player1.bmp");
  ok = Report(WritePng(dir + "player2.bmp", PaintPaddle(27, 80, EnemyPaddleScheme())), dir + "player2.bmp") &&
       ok;
  ok = Report(WriteBmp32(dir + "wall.bmp", PaintWall()), dir + "wall.bmp") && ok;
  ok = Report(WriteWav16Stereo(dir + "hungry.wav", RenderTune()), dir + "hungry.wav") && ok;
  ok = Report(WriteWav16Stereo(dir + "doing.wav", RenderHitSound()), dir + "doing.wav") && ok;
  for (const char* name : {"gldrawtextfont.bin", "kelvofont.bin"}) {
    ok = Report(WriteBytes(dir + name, font.data(), font.size()), dir + name) && ok;
  }
  return ok ? 0 : 1;
}
