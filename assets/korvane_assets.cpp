#include "assets/korvane_assets.h"

#include "core/embedded.h"

OSTREL_EMBEDDED(korvane_player1_bmp);
OSTREL_EMBEDDED(korvane_player2_bmp);
OSTREL_EMBEDDED(korvane_wall_bmp);
OSTREL_EMBEDDED(korvane_hungry_wav);
OSTREL_EMBEDDED(korvane_doing_wav);

namespace {

EmbeddedFile File(const char* name, const unsigned char* start, const unsigned char* end) {
  return {name, start, static_cast<size_t>(end - start)};
}

}  // namespace

const std::array<EmbeddedFile, 5>& KorvaneGameFiles() {
  static const std::array<EmbeddedFile, 5> files = {
      File("player1.bmp", korvane_player1_bmp_start, korvane_player1_bmp_end),
      File("player2.bmp", korvane_player2_bmp_start, korvane_player2_bmp_end),
      File("wall.bmp", korvane_wall_bmp_start, korvane_wall_bmp_end),
      File("hungry.wav", korvane_hungry_wav_start, korvane_hungry_wav_end),
      File("doing.wav", korvane_doing_wav_start, korvane_doing_wav_end),
  };
  return files;
}
