#include "game/korvane.h"

#include <cstdio>

#include "assets/korvane_assets.h"
#include "audio/audio_module.h"
#include "core/app.h"
#include "core/core_module.h"
#include "engine/ostrel.h"
#include "media/resources.h"
#include "platform/sdl_init.h"
#include "system/event_queue.h"
#include "system/polled_input.h"
#include "system/system.h"
#include "system/timer.h"

namespace {

constexpr int kEscape = 27;

// The game's pictures and sounds travel inside the executable.
void RegisterGameFiles() {
  for (const EmbeddedFile& file : KorvaneGameFiles()) RegisterResource(file.name, file.data, int(file.size));
}

// Every linked module starts once, in the order that fixes the order of the
// reader chains and driver registries (each registers itself newest first).
void StartModules() {
  InitCore();
  InitEngine();
  InitAudio();
  InitEventQueue();
  InitMixwellAudio();
  InitTimers();
  InitWavAudioLoader();
}

// Full screen at 800x600, 32 bits, 60 Hz; where the display cannot switch to
// that mode, the same size in a window paced at 60 Hz.
bool OpenDisplay() {
  if (Graphics3D(800, 600, 32, 1, 60, -1)) return true;
  return Graphics3D(800, 600, 0, 2, 60, -1) != 0;
}

}  // namespace

int KorvaneMain() {
  RegisterGameFiles();
  StartModules();
  SetAppTitle("Korvane");
  if (!OpenDisplay()) {
    std::fprintf(stderr, "korvane: cannot open an 800x600 OpenGL display: %s\n", PlatformLastError());
    return 1;
  }
  while (!KeyHit(kEscape)) {
    if (AppTerminate()) break;
    UpdateWorld(1);
    RenderWorld();
    Flip(-1);
  }
  return 0;
}
