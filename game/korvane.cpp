#include "game/korvane.h"

#include "core/app.h"
#include "core/core_module.h"

int KorvaneMain() {
  InitCore();
  SetAppTitle("Korvane");
  return 0;
}
