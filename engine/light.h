// TLight: an entity that drives one of OpenGL's eight fixed-function lights.
//
// Slots. Each existing light holds one of the GL lights GL_LIGHT0 … GL_LIGHT7:
// creating a light (CreateLight or CopyEntity) claims one, freeing it gives one
// back, and with all eight taken the creation gives none. Slots are handed out
// by position in light_list at each camera render: the k-th light of the list
// uses gl_light[k - 1], so after a light is freed the lights behind it move
// down one slot at the next render.
//
// Every render (RenderCamera, after the camera's view matrix is loaded) calls
// each light's Update, which sends its whole GL state: position or direction
// in the camera's eye space through the light's global matrix, colour,
// attenuation and spot cone. Sending everything each time means a slot that a
// different kind of light used before carries nothing over. A hidden light, or
// one with a hidden ancestor, switches its GL light off for that render.
#pragma once

#include "engine/entity.h"

class TLight : public TEntity {
 public:
  // Most lights that can exist at once: one per GL light slot.
  static constexpr int kSlots = 8;

  inline static int light_no = 0;   // 1-based slot number of the last Update
  inline static int no_lights = 0;  // slots claimed by existing lights
  inline static int max_lights = kSlots;
  inline static int gl_light[kSlots] = {};  // GL_LIGHT0 … GL_LIGHT7; filled by CreateLists
  // Every light, in creation order. Created by CreateLists.
  inline static List* light_list = nullptr;

  int light_type = 0;                  // 1 or less directional, 2 point, 3 spot
  float range = 0.001f;                // 1 / range: the linear attenuation
  float red = 1, green = 1, blue = 1;  // diffuse colour, 0..1
  float inner_ang = 0;                 // half the inner cone angle, degrees (kept, not drawn)
  float outer_ang = 45;                // half the outer cone angle, degrees: the spot cut-off

  // Creates light_list and fills gl_light; idempotent (InitEngineLists calls it).
  static void CreateLists();

  // A new light under parent (none: a root), or null when all max_lights
  // slots are taken.
  static TLight* CreateLight(int type, TEntity* parent);

  // The attenuation factor at distance d becomes range / d: 1 at the range.
  virtual int LightRange(float range);
  virtual int LightColor(float red, float green, float blue);  // 0..255
  // Full cone angles in degrees; the spot cut-off is half the outer one.
  virtual int LightConeAngles(float inner, float outer);

  // Claims a slot like CreateLight; null when all slots are taken (a subtree
  // copy then simply has no copy of this light).
  TLight* CopyEntity(TEntity* parent) override;
  int Update() override;
  // Gives the light's slot back and switches the highest slot in use off.
  int FreeEntity() override;

 private:
  // A slot is free below max_lights, and never beyond the eight GL lights
  // whatever max_lights says.
  static bool SlotFree();
  // Claims the next slot and enables it; the caller has checked SlotFree.
  static void ClaimSlot();

  TLink<TEntity>* light_link_ = nullptr;
};
