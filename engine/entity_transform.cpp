// TEntity's transforms, queries and point transforms: everything that reads or
// keeps the matrix invariant described in entity.h.
#include <cmath>

#include "core/runtime_error.h"
#include "engine/engine_errors.h"
#include "engine/entity.h"
#include "engine/trig.h"

namespace {

// Matrix elements this close to 0 are rounding residue for the angle getters.
float Clean(float v) { return (v >= -0.0001f && v <= 0.0001f) ? 0.0f : v; }

}  // namespace

int TEntity::UpdateMat(int load_identity) {
  if (load_identity == 1) mat.LoadIdentity();
  mat.Translate(px, py, pz);
  mat.Rotate(rx, ry, rz);
  mat.Scale(sx, sy, sz);
  return 0;
}

void TEntity::RefreshMat(bool update_children) {
  if (parent) {
    mat = parent->mat;
    UpdateMat(0);
  } else {
    UpdateMat(1);
  }
  if (update_children && !child_list.IsEmpty()) UpdateChildren(*this);
}

void TEntity::UpdateChildren(TEntity& entity) {
  for (TEntity* child : entity.child_list) {
    child->mat = entity.mat;
    child->UpdateMat(0);
    if (!child->child_list.IsEmpty()) UpdateChildren(*child);
  }
}

// ---- Transforms ----

int TEntity::PositionEntity(float x, float y, float z, int global) {
  px = x;
  py = y;
  pz = -z;
  if (global == 1 && parent) {
    px -= parent->EntityX(1);
    py -= parent->EntityY(1);
    pz += parent->EntityZ(1);
    // Expresses the world offset in the parent's frame: its inverse scale and
    // rotation, applied to the offset.
    TMatrix m;
    m.LoadIdentity();
    m.Scale(1.0f / parent->EntityScaleX(1), 1.0f / parent->EntityScaleY(1), 1.0f / parent->EntityScaleZ(1));
    m.RotateRoll(-parent->EntityRoll(1));
    m.RotatePitch(parent->EntityPitch(1));
    m.RotateYaw(-parent->EntityYaw(1));
    m.Translate(px, py, pz);
    px = m.grid[3][0];
    py = m.grid[3][1];
    pz = m.grid[3][2];
  }
  RefreshMat(true);
  return 0;
}

int TEntity::MoveEntity(float x, float y, float z) {
  TMatrix m;
  m.LoadIdentity();
  m.Rotate(rx, ry, rz);
  m.Translate(x, y, -z);
  px += m.grid[3][0];
  py += m.grid[3][1];
  pz += m.grid[3][2];
  RefreshMat(true);
  return 0;
}

int TEntity::TranslateEntity(float x, float y, float z, int global) {
  if (global == 1 && parent) {
    // Turned into the parent's frame; the parent's scale is not undone.
    TMatrix m;
    m.LoadIdentity();
    m.RotateRoll(-parent->EntityRoll(1));
    m.RotatePitch(parent->EntityPitch(1));
    m.RotateYaw(-parent->EntityYaw(1));
    m.Translate(x, y, -z);
    px += m.grid[3][0];
    py += m.grid[3][1];
    pz += m.grid[3][2];
  } else {
    px += x;
    py += y;
    pz += -z;
  }
  RefreshMat(true);
  return 0;
}

int TEntity::ScaleEntity(float x, float y, float z, int global) {
  sx = x;
  sy = y;
  sz = z;
  if (global == 1) {
    for (const TEntity* e = parent; e; e = e->parent) {
      sx /= e->sx;
      sy /= e->sy;
      sz /= e->sz;
    }
  }
  RefreshMat(true);
  return 0;
}

int TEntity::RotateEntity(float pitch, float yaw, float roll, int global) {
  rx = -pitch;
  ry = yaw;
  rz = roll;
  if (global == 1 && parent) {
    rx += parent->EntityPitch(1);
    ry -= parent->EntityYaw(1);
    rz -= parent->EntityRoll(1);
  }
  RefreshMat(true);
  return 0;
}

int TEntity::TurnEntity(float pitch, float yaw, float roll, int /*global*/) {
  rx -= pitch;
  ry += yaw;
  rz += roll;
  RefreshMat(true);
  return 0;
}

int TEntity::PointEntity(TEntity* target, float roll) {
  const double dx = double(EntityX(1)) - target->EntityX(1);
  const double dy = double(EntityY(1)) - target->EntityY(1);
  const double dz = double(EntityZ(1)) - target->EntityZ(1);
  const float pitch = ATan2(dy, std::sqrt(dx * dx + dz * dz));
  const float yaw = ATan2(dx, -dz);
  return RotateEntity(pitch, yaw, roll, 1);
}

// ---- Queries ----

float TEntity::EntityX(int global) const { return global ? mat.grid[3][0] : px; }

float TEntity::EntityY(int global) const { return global ? mat.grid[3][1] : py; }

float TEntity::EntityZ(int global) const { return global ? -mat.grid[3][2] : -pz; }

float TEntity::EntityPitch(int global) const {
  if (!global) return -rx;
  const auto& g = mat.grid;
  return Clean(ATan2(g[2][1], std::sqrt(double(g[2][0]) * g[2][0] + double(g[2][2]) * g[2][2])));
}

float TEntity::EntityYaw(int global) const {
  if (!global) return ry;
  return ATan2(Clean(mat.grid[2][0]), Clean(mat.grid[2][2]));
}

float TEntity::EntityRoll(int global) const {
  if (!global) return rz;
  return ATan2(Clean(mat.grid[0][1]), Clean(mat.grid[1][1]));
}

float TEntity::EntityScaleX(int global) const {
  float s = sx;
  if (global)
    for (const TEntity* e = parent; e; e = e->parent) s *= e->sx;
  return s;
}

float TEntity::EntityScaleY(int global) const {
  float s = sy;
  if (global)
    for (const TEntity* e = parent; e; e = e->parent) s *= e->sy;
  return s;
}

float TEntity::EntityScaleZ(int global) const {
  float s = sz;
  if (global)
    for (const TEntity* e = parent; e; e = e->parent) s *= e->sz;
  return s;
}

float TEntity::EntityDistanceSquared(const TEntity& other) const {
  const double dx = double(mat.grid[3][0]) - other.mat.grid[3][0];
  const double dy = double(mat.grid[3][1]) - other.mat.grid[3][1];
  const double dz = double(mat.grid[3][2]) - other.mat.grid[3][2];
  return static_cast<float>(dx * dx + dy * dy + dz * dz);
}

float TEntity::EntityDistanceSquared0(const TEntity& other) const {
  const double dx = double(EntityX(1)) - other.EntityX(1);
  const double dy = double(EntityY(1)) - other.EntityY(1);
  const double dz = double(EntityZ(1)) - other.EntityZ(1);
  return static_cast<float>(dx * dx + dy * dy + dz * dz);
}

float TEntity::EntityDistance(const TEntity& other) const {
  return static_cast<float>(std::sqrt(double(EntityDistanceSquared(other))));
}

float TEntity::DeltaYaw(const TEntity& other) const {
  const double dx = double(other.EntityX(1)) - EntityX(1);
  const double dz = double(other.EntityZ(1)) - EntityZ(1);
  return -ATan2(dx, dz);
}

float TEntity::DeltaPitch(const TEntity& other) const {
  const double dx = double(other.EntityX(1)) - EntityX(1);
  const double dy = double(other.EntityY(1)) - EntityY(1);
  const double dz = double(other.EntityZ(1)) - EntityZ(1);
  return -ATan2(dy, std::sqrt(dx * dx + dz * dz));
}

float TEntity::GetMatElement(int i, int j) const {
  if (i < 0 || i > 3 || j < 0 || j > 3) throw RuntimeError(kMatElementRange);
  return mat.grid[i][j];
}

// ---- Point and vector transforms ----

void TEntity::TForm(float x, float y, float z, const TEntity* src, const TEntity* dest, bool translate) {
  TMatrix m;
  if (src) {
    m = src->mat;
    if (!translate) {
      for (int j = 0; j < 3; ++j) {
        m.grid[3][j] = 0.0f;
        m.grid[j][3] = 0.0f;
      }
      m.grid[3][3] = 1.0f;
    }
    m.Translate(x, y, -z);
    x = m.grid[3][0];
    y = m.grid[3][1];
    z = -m.grid[3][2];
  }
  if (dest) {
    // The inverse of dest's global matrix, built from the local transforms of
    // dest and its ancestors, undone innermost first.
    m.LoadIdentity();
    for (const TEntity* e = dest; e; e = e->parent) {
      m.Scale(1.0f / e->sx, 1.0f / e->sy, 1.0f / e->sz);
      m.RotateRoll(-e->rz);
      m.RotatePitch(-e->rx);
      m.RotateYaw(-e->ry);
      if (translate) m.Translate(-e->px, -e->py, -e->pz);
    }
    m.Translate(x, y, -z);
    x = m.grid[3][0];
    y = m.grid[3][1];
    z = -m.grid[3][2];
  }
  tformed_x = x;
  tformed_y = y;
  tformed_z = z;
}

int TEntity::TFormPoint(float x, float y, float z, const TEntity* src, const TEntity* dest) {
  TForm(x, y, z, src, dest, true);
  return 0;
}

int TEntity::TFormVector(float x, float y, float z, const TEntity* src, const TEntity* dest) {
  TForm(x, y, z, src, dest, false);
  return 0;
}

int TEntity::TFormNormal(float x, float y, float z, const TEntity* src, const TEntity* dest) {
  TForm(x, y, z, src, dest, false);
  const double inv = 1.0 / std::sqrt(double(tformed_x) * tformed_x + double(tformed_y) * tformed_y +
                                     double(tformed_z) * tformed_z);
  tformed_x = static_cast<float>(tformed_x * inv);
  tformed_y = static_cast<float>(tformed_y * inv);
  tformed_z = static_cast<float>(tformed_z * inv);
  return 0;
}
