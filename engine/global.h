// The scene engine's world state and world-level operations.
//
// TGlobal has no instances: its data are class-level and its operations class
// functions. Graphics3D opens the display through the graphics layer and sets
// up OpenGL; each frame UpdateWorld moves and animates the world and
// RenderWorld draws every camera's view. Before Graphics3D no OpenGL call is
// made.
#pragma once

#include <vector>

#include "core/object.h"
#include "engine/collision_pair.h"

class TCamera;

// What Graphics3D asks of the graphics layer for its arguments.
struct TGraphicsRequest {
  int width, height, depth, hertz, flags;
};

class TGlobal {
 public:
  static int width, height, mode, depth, rate;
  static float ambient_red, ambient_green, ambient_blue;
  static int vbo_enabled;
  static int aa, ACSIZE, jitter;
  static float j[16][2];  // sub-pixel offsets of each accumulation pass, in pixels

  // Opens the display and prepares OpenGL. Returns 1 when a display with an
  // OpenGL context is open, 0 when the graphics layer could not open one (no
  // OpenGL call is then made).
  static int Graphics3D(int width, int height, int depth = 0, int mode = 0, int rate = 60, int flags = -1);
  static TGraphicsRequest GraphicsRequest(int width, int height, int depth, int mode, int rate, int flags);
  static int GraphicsInit();
  static int EnableStates();
  // Saves the 2D layer's whole state on the OpenGL attribute and matrix stacks.
  static void SaveStateFor3D();
  static void Set3DLightingAndDepth();
  // The matrix stacks saved with the state, in push order.
  static const std::vector<unsigned>& SavedMatrixStacks();

  static int AmbientLight(float red, float green, float blue);
  static int Wireframe(int enable);
  static int AntiAlias(int samples);

  static int ClearCollisions();
  static int Collisions(int src_type, int dest_type, int method, int response);
  static int ClearWorld(int entities = 1, int brushes = 1, int textures = 1);

  static int UpdateWorld(float anim_speed = 1.0f);
  static int RenderWorld();
  static int RenderWorldAA();
  // One camera's view: camera.Update(), then every light's Update (the first
  // light of light_list on GL_LIGHT0). A step of RenderWorld, not for
  // applications.
  static int RenderCamera(TCamera* camera);
};

// Creates the engine's global lists and starts the modules the engine needs
// (the OpenGL 2D driver, the picture readers). Idempotent.
void InitEngine();
