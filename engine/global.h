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
class TMesh;

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
  // Meshes in the order a camera draws them.
  using RenderList = std::vector<TMesh*>;

  // One camera's view: camera.Update(), every light's Update (the first light
  // of light_list on GL_LIGHT0), then every visible mesh in render-list order.
  // Hidden meshes, meshes of brush alpha 0 and, unless their brush has effect
  // bits, meshes outside the frustum are skipped. A step of RenderWorld, not
  // for applications.
  static int RenderCamera(TCamera* camera);
  // fade_alpha from the camera distance: 0 up to fade_near, 1 from fade_far,
  // linear between.
  static int AutoFade(TCamera* camera, TMesh* mesh);
  // Inserts mesh so that the list draws positive orders (largest first), then
  // opaque meshes of order 0 (newest first), then blended meshes of order 0
  // (farthest first, by alpha_order), then negative orders (-1 before -2).
  static int RenderListAdd(TMesh* mesh, RenderList& list);
  // The billboard computation of every sprite of the list, for camera.
  static int UpdateSprites(TCamera* camera, RenderList& list);
};

// Creates the engine's global lists and starts the modules the engine needs
// (the OpenGL 2D driver, the picture readers). Idempotent.
void InitEngine();
