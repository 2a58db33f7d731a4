#include "assets/builtin_fonts.h"

OSTREL_EMBEDDED(ostrel_gldrawtextfont_bin);
OSTREL_EMBEDDED(ostrel_kelvofont_bin);

EmbeddedFile GLDrawTextFontFile() {
  return {"gldrawtextfont.bin", ostrel_gldrawtextfont_bin_start,
          static_cast<size_t>(ostrel_gldrawtextfont_bin_end - ostrel_gldrawtextfont_bin_start)};
}

EmbeddedFile KelvoFontFile() {
  return {"kelvofont.bin", ostrel_kelvofont_bin_start,
          static_cast<size_t>(ostrel_kelvofont_bin_end - ostrel_kelvofont_bin_start)};
}
