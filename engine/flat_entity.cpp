#include "engine/flat_entity.h"

#include "engine/handle_check.h"
#include "engine/vector.h"

// ---- Life cycle ----

TPivot* CreatePivot(TEntity* parent) {
  return TPivot::CreatePivot(CheckOptionalEntity(parent, "CreatePivot", "parent"));
}

TEntity* CopyEntity(TEntity* entity, TEntity* parent) {
  TEntity& source = CheckEntity(entity, "CopyEntity");
  return source.CopyEntity(CheckOptionalEntity(parent, "CopyEntity", "parent"));
}

int FreeEntity(TEntity* entity) { return CheckEntity(entity, "FreeEntity").FreeEntity(); }

// ---- Transforms ----

int PositionEntity(TEntity* entity, float x, float y, float z, int global) {
  return CheckEntity(entity, "PositionEntity").PositionEntity(x, y, z, global);
}

int MoveEntity(TEntity* entity, float x, float y, float z) {
  return CheckEntity(entity, "MoveEntity").MoveEntity(x, y, z);
}

int TranslateEntity(TEntity* entity, float x, float y, float z, int global) {
  return CheckEntity(entity, "TranslateEntity").TranslateEntity(x, y, z, global);
}

int ScaleEntity(TEntity* entity, float x, float y, float z, int global) {
  return CheckEntity(entity, "ScaleEntity").ScaleEntity(x, y, z, global);
}

int RotateEntity(TEntity* entity, float pitch, float yaw, float roll, int global) {
  return CheckEntity(entity, "RotateEntity").RotateEntity(pitch, yaw, roll, global);
}

int TurnEntity(TEntity* entity, float pitch, float yaw, float roll, int global) {
  return CheckEntity(entity, "TurnEntity").TurnEntity(pitch, yaw, roll, global);
}

int PointEntity(TEntity* entity, TEntity* target, float roll) {
  TEntity& e = CheckEntity(entity, "PointEntity");
  return e.PointEntity(&CheckEntity(target, "PointEntity", "target"), roll);
}

// ---- Queries ----

float EntityX(TEntity* entity, int global) { return CheckEntity(entity, "EntityX").EntityX(global); }
float EntityY(TEntity* entity, int global) { return CheckEntity(entity, "EntityY").EntityY(global); }
float EntityZ(TEntity* entity, int global) { return CheckEntity(entity, "EntityZ").EntityZ(global); }
float EntityPitch(TEntity* entity, int global) {
  return CheckEntity(entity, "EntityPitch").EntityPitch(global);
}
float EntityYaw(TEntity* entity, int global) { return CheckEntity(entity, "EntityYaw").EntityYaw(global); }
float EntityRoll(TEntity* entity, int global) { return CheckEntity(entity, "EntityRoll").EntityRoll(global); }

float EntityScaleX(TEntity* entity, int global) {
  return CheckEntity(entity, "EntityScaleX").EntityScaleX(global);
}
float EntityScaleY(TEntity* entity, int global) {
  return CheckEntity(entity, "EntityScaleY").EntityScaleY(global);
}
float EntityScaleZ(TEntity* entity, int global) {
  return CheckEntity(entity, "EntityScaleZ").EntityScaleZ(global);
}

float EntityDistance(TEntity* a, TEntity* b) {
  return CheckEntity(a, "EntityDistance").EntityDistance(CheckEntity(b, "EntityDistance", "other entity"));
}

float DeltaYaw(TEntity* a, TEntity* b) {
  return CheckEntity(a, "DeltaYaw").DeltaYaw(CheckEntity(b, "DeltaYaw", "other entity"));
}

float DeltaPitch(TEntity* a, TEntity* b) {
  return CheckEntity(a, "DeltaPitch").DeltaPitch(CheckEntity(b, "DeltaPitch", "other entity"));
}

float GetMatElement(TEntity* entity, int i, int j) {
  return CheckEntity(entity, "GetMatElement").GetMatElement(i, j);
}

// ---- Hierarchy ----

int EntityParent(TEntity* entity, TEntity* new_parent, int global) {
  TEntity& e = CheckEntity(entity, "EntityParent");
  return e.EntityParent(CheckOptionalEntity(new_parent, "EntityParent", "parent"), global);
}

TEntity* GetParent(TEntity* entity) { return CheckEntity(entity, "GetParent").GetParent(); }
int CountChildren(TEntity* entity) { return CheckEntity(entity, "CountChildren").CountChildren(); }
TEntity* GetChild(TEntity* entity, int n) { return CheckEntity(entity, "GetChild").GetChild(n); }

TEntity* FindChild(TEntity* entity, const std::string& name) {
  return CheckEntity(entity, "FindChild").FindChild(name);
}

// ---- Naming and visibility ----

int NameEntity(TEntity* entity, const std::string& name) {
  return CheckEntity(entity, "NameEntity").NameEntity(name);
}

std::string EntityName(TEntity* entity) { return CheckEntity(entity, "EntityName").EntityName(); }
std::string EntityClass(TEntity* entity) { return CheckEntity(entity, "EntityClass").EntityClass(); }
int ShowEntity(TEntity* entity) { return CheckEntity(entity, "ShowEntity").ShowEntity(); }
int HideEntity(TEntity* entity) { return CheckEntity(entity, "HideEntity").HideEntity(); }

// ---- Material and ordering ----

int EntityColor(TEntity* entity, float red, float green, float blue) {
  return CheckEntity(entity, "EntityColor").EntityColor(red, green, blue);
}

int EntityAlpha(TEntity* entity, float alpha) {
  return CheckEntity(entity, "EntityAlpha").EntityAlpha(alpha);
}

int EntityShininess(TEntity* entity, float shininess) {
  return CheckEntity(entity, "EntityShininess").EntityShininess(shininess);
}

int EntityTexture(TEntity* entity, TTexture* texture, int frame, int index) {
  TEntity& e = CheckEntity(entity, "EntityTexture");
  return e.EntityTexture(&CheckObject(texture, "EntityTexture", "texture"), frame, index);
}

int EntityBlend(TEntity* entity, int blend) { return CheckEntity(entity, "EntityBlend").EntityBlend(blend); }
int EntityFX(TEntity* entity, int fx) { return CheckEntity(entity, "EntityFX").EntityFX(fx); }

int PaintEntity(TEntity* entity, TBrush* brush) {
  TEntity& e = CheckEntity(entity, "PaintEntity");
  return e.PaintEntity(CheckObject(brush, "PaintEntity", "brush"));
}

int EntityAutoFade(TEntity* entity, float near, float far) {
  return CheckEntity(entity, "EntityAutoFade").EntityAutoFade(near, far);
}

int EntityOrder(TEntity* entity, int order) { return CheckEntity(entity, "EntityOrder").EntityOrder(order); }

int MeshCullRadius(TEntity* entity, float radius) {
  return CheckEntity(entity, "MeshCullRadius").MeshCullRadius(radius);
}

// ---- Point and vector transforms ----

int TFormPoint(float x, float y, float z, TEntity* src, TEntity* dest) {
  return TEntity::TFormPoint(x, y, z, CheckOptionalEntity(src, "TFormPoint", "source"),
                             CheckOptionalEntity(dest, "TFormPoint", "destination"));
}

int TFormVector(float x, float y, float z, TEntity* src, TEntity* dest) {
  return TEntity::TFormVector(x, y, z, CheckOptionalEntity(src, "TFormVector", "source"),
                              CheckOptionalEntity(dest, "TFormVector", "destination"));
}

int TFormNormal(float x, float y, float z, TEntity* src, TEntity* dest) {
  return TEntity::TFormNormal(x, y, z, CheckOptionalEntity(src, "TFormNormal", "source"),
                              CheckOptionalEntity(dest, "TFormNormal", "destination"));
}

float TFormedX() { return TEntity::TFormedX(); }
float TFormedY() { return TEntity::TFormedY(); }
float TFormedZ() { return TEntity::TFormedZ(); }

// ---- Vector angles ----

float VectorYaw(float x, float y, float z) { return TVector::VectorYaw(x, y, z); }
float VectorPitch(float x, float y, float z) { return TVector::VectorPitch(x, y, z); }
