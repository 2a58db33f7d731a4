#include "game/korvane.h"

#include <cstdio>

#include "assets/korvane_assets.h"
#include "audio/audio_module.h"
#include "core/app.h"
#include "core/core_module.h"
#include "engine/ostrel.h"
#include "game/scene.h"
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

// Every third frame the scene as it stood after the previous frame is also
// drawn into the 256x256 square at the top-left corner.
void SmallRender(MatchState& state, TCamera* cam) {
  if (state.tick == 3) {
    CameraViewport(cam, 0, 0, 256, 256);
    RenderWorld();
    HideMouse();
    CameraViewport(cam, 0, 0, GraphicsWidth(), GraphicsHeight());
    state.tick = 0;
  }
  ++state.tick;
}

}  // namespace

int KorvaneMain() {
  RegisterGameFiles();
  MatchState state;
  StartModules();
  SetAppTitle("Korvane");
  if (!OpenDisplay()) {
    std::fprintf(stderr, "korvane: cannot open an 800x600 OpenGL display: %s\n", PlatformLastError());
    return 1;
  }
  const Scene scene = BuildScene();
  const MatchObjects objects = scene.Objects();

  while (!KeyHit(kEscape)) {
    if (AppTerminate()) break;
    SmallRender(state, scene.cam);
    // The camera hangs 100 above the field looking down at 80 degrees.
    PositionEntity(scene.cam, 0, 100, 1, 0);
    RotateEntity(scene.cam, 80, 0, 0, 0);
    PlacePaddles(state, objects);
    StepBall(state, objects);
    HitPaddle(state, objects);
    Serve(state);
    BounceOffSides(state, objects);
    ScoreGoals(state, objects);
    SteerEnemyAndArena(state, objects);
    UpdateWorld(1);
    RenderWorld();
    Text(GraphicsWidth() / 2 - 2, 8, ScoreLine(state));
    Flip(-1);
    FollowMouse(state, MouseYSpeed());
  }
  return 0;
}
