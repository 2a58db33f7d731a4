// Flat functions for the world as a whole: the display, global render
// settings, collision rules and the per-frame update and render.
#pragma once

#include "engine/global.h"
#include "engine/hardware_info.h"

// Returns 1 when the display opened, 0 when it could not be opened.
inline int Graphics3D(int width, int height, int depth = 0, int mode = 0, int rate = 60, int flags = -1) {
  return TGlobal::Graphics3D(width, height, depth, mode, rate, flags);
}
inline int AmbientLight(float red, float green, float blue) { return TGlobal::AmbientLight(red, green, blue); }
inline int Wireframe(int enable) { return TGlobal::Wireframe(enable); }
inline int AntiAlias(int samples) { return TGlobal::AntiAlias(samples); }
inline int Collisions(int src_type, int dest_type, int method, int response) {
  return TGlobal::Collisions(src_type, dest_type, method, response);
}
inline int ClearCollisions() { return TGlobal::ClearCollisions(); }
inline int ClearWorld(int entities = 1, int brushes = 1, int textures = 1) {
  return TGlobal::ClearWorld(entities, brushes, textures);
}
inline int UpdateWorld(float anim_speed = 1.0f) { return TGlobal::UpdateWorld(anim_speed); }
inline int RenderWorld() { return TGlobal::RenderWorld(); }
inline int HardwareInfo(int to_log = 0) { return THardwareInfo::DisplayInfo(to_log); }
