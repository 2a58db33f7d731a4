#include "engine/entity.h"

#include <algorithm>
#include <unordered_set>

#include "core/runtime_error.h"
#include "engine/collision_pair.h"
#include "engine/engine_errors.h"

namespace {

// Entities constructed and not yet freed. Created by TEntity::CreateLists.
std::unordered_set<const TEntity*>* live_entities = nullptr;

}  // namespace

void TEntity::CreateLists() {
  if (!entity_list) entity_list = new List;
  if (!live_entities) live_entities = new std::unordered_set<const TEntity*>;
}

bool TEntity::IsLive(const TEntity* entity) { return live_entities && live_entities->contains(entity); }

TEntity::TEntity() {
  if (!live_entities) throw RuntimeError(kEngineNotInitialised);
  live_entities->insert(this);
}

TEntity::~TEntity() {
  if (live_entities) live_entities->erase(this);
}

int TEntity::FreeEntity() {
  if (freed_) return 0;
  freed_ = true;
  live_entities->erase(this);
  // The lists' references go below; this one keeps the entity alive until the
  // last step is done.
  Ref<TEntity> keep(this);
  if (entity_link_) entity_list->Remove(entity_link_);
  entity_link_ = nullptr;
  if (parent) parent->child_list.Remove(this);
  parent = nullptr;
  brush = nullptr;
  link = nullptr;
  // Collisions: leave the type's list; impacts naming this entity forget it.
  TCollisionPair::Forget(*this);
  // Each child's own FreeEntity, so subclass lists are cleaned too; each one
  // leaves child_list as it goes.
  std::vector<Ref<TEntity>> children;
  children.reserve(child_list.Count());
  for (TEntity* child : child_list) children.emplace_back(child);
  for (TEntity* child : children) child->FreeEntity();
  return 0;
}

void TEntity::CopyEntityInto(TEntity& copy, TEntity* new_parent) {
  for (TEntity* child : child_list) child->CopyEntity(&copy);
  copy.AddParent(new_parent);
  copy.EntityListAdd(*entity_list);
  copy.px = px, copy.py = py, copy.pz = pz;
  copy.sx = sx, copy.sy = sy, copy.sz = sz;
  copy.rx = rx, copy.ry = ry, copy.rz = rz;
  copy.qw = qw, copy.qx = qx, copy.qy = qy, copy.qz = qz;
  copy.name = name;
  copy.class_name = class_name;
  copy.order = order;
  copy.cull_radius = cull_radius;
  copy.radius_x = radius_x, copy.radius_y = radius_y;
  copy.box_x = box_x, copy.box_y = box_y, copy.box_z = box_z;
  copy.box_w = box_w, copy.box_h = box_h, copy.box_d = box_d;
  copy.collision_type = collision_type;
  copy.pick_mode = pick_mode;
  copy.obscurer = obscurer;
  copy.hide = 0;
  // A copy looks like its source but has its own material.
  copy.brush = brush->Copy();
  copy.RefreshMat(true);
  // Collisions: the copy joins its type's list and starts where it was made.
  if (TEntity::List* same_type = TCollisionPair::ExistingList(collision_type)) same_type->AddLast(&copy);
  copy.old_x = copy.EntityX(1), copy.old_y = copy.EntityY(1), copy.old_z = copy.EntityZ(1);
}

// ---- Hierarchy ----

bool TEntity::IsAncestorOrSelf(const TEntity* other) const {
  for (const TEntity* e = other; e; e = e->parent)
    if (e == this) return true;
  return false;
}

int TEntity::AddParent(TEntity* new_parent) {
  parent = new_parent;
  if (parent) {
    mat = parent->mat;
    parent->child_list.AddLast(this);
  }
  return 0;
}

int TEntity::EntityParent(TEntity* new_parent, int global) {
  if (IsAncestorOrSelf(new_parent)) throw RuntimeError(kParentCycle);
  const float x = EntityX(1), y = EntityY(1), z = EntityZ(1);
  const float pitch = EntityPitch(1), yaw = EntityYaw(1), roll = EntityRoll(1);
  const float scale_x = EntityScaleX(1), scale_y = EntityScaleY(1), scale_z = EntityScaleZ(1);
  // Leaving the old parent drops its reference; entity_list still holds one.
  if (parent) parent->child_list.Remove(this);
  parent = nullptr;
  px = x, py = y, pz = -z;
  rx = -pitch, ry = yaw, rz = roll;
  sx = scale_x, sy = scale_y, sz = scale_z;
  if (new_parent && global == 1) {
    AddParent(new_parent);
    PositionEntity(x, y, z, 1);
    RotateEntity(pitch, yaw, roll, 1);
    ScaleEntity(scale_x, scale_y, scale_z, 1);
    return 0;
  }
  if (new_parent) {
    AddParent(new_parent);
    UpdateMat(0);
  } else {
    UpdateMat(1);
  }
  // The children follow at once, so that their matrices are never stale.
  if (!child_list.IsEmpty()) UpdateChildren(*this);
  return 0;
}

TEntity* TEntity::GetParent() const { return parent; }

int TEntity::CountChildren() const { return child_list.Count(); }

TEntity* TEntity::GetChild(int n) const {
  int i = 1;
  for (TEntity* child : child_list)
    if (i++ == n) return child;
  return nullptr;
}

TEntity* TEntity::FindChild(const std::string& wanted) const {
  for (TEntity* child : child_list) {
    if (child->name == wanted) return child;
    if (TEntity* found = child->FindChild(wanted)) return found;
  }
  return nullptr;
}

int TEntity::CountAllChildren(const TEntity& entity, int n) {
  for (const TEntity* child : entity.child_list) n = CountAllChildren(*child, n + 1);
  return n;
}

TEntity* TEntity::GetChildFromAll(int n, int& counter, TEntity* entity) {
  if (!entity) entity = this;
  for (TEntity* child : entity->child_list) {
    if (++counter == n) return child;
    if (TEntity* found = GetChildFromAll(n, counter, child)) return found;
  }
  return nullptr;
}

// ---- Naming, visibility, order ----

int TEntity::NameEntity(const std::string& new_name) {
  name = new_name;
  return 0;
}

std::string TEntity::EntityName() const { return name; }

std::string TEntity::EntityClass() const { return class_name; }

int TEntity::ShowEntity() {
  hide = 0;
  return 0;
}

int TEntity::HideEntity() {
  hide = 1;
  return 0;
}

int TEntity::Hidden() const {
  for (const TEntity* e = this; e; e = e->parent)
    if (e->hide == 1) return 1;
  return 0;
}

int TEntity::EntityOrder(int new_order) {
  order = new_order;
  return 0;
}

int TEntity::EntityListAdd(List& list) {
  link = InsertByOrder(list);
  if (&list == entity_list) entity_link_ = link;
  return 0;
}

TLink<TEntity>* TEntity::InsertByOrder(List& list) {
  if (order > 0) {
    for (TLink<TEntity>* l = list.FirstLink(); l; l = l->NextLink())
      if (l->Value()->order <= order) return list.InsertBefore(l, this);
    return list.AddLast(this);
  }
  for (TLink<TEntity>* l = list.LastLink(); l; l = l->PrevLink())
    if (l->Value()->order >= order) return list.InsertAfter(l, this);
  return list.AddFirst(this);
}

// ---- Material ----

int TEntity::EntityColor(float red, float green, float blue) {
  brush->red = red / 255.0f;
  brush->green = green / 255.0f;
  brush->blue = blue / 255.0f;
  return 0;
}

int TEntity::EntityAlpha(float alpha) {
  brush->alpha = alpha;
  return 0;
}

int TEntity::EntityShininess(float shininess) {
  brush->shine = shininess;
  return 0;
}

int TEntity::EntityTexture(TTexture* texture, int frame, int index) {
  if (index < 0 || index >= TBrush::kTextureSlots) throw RuntimeError(kTextureIndexRange);
  brush->tex[index] = texture;
  brush->no_texs = std::max(brush->no_texs, index + 1);
  brush->tex_frame = std::max(0, std::min(frame, texture->no_frames - 1));
  return 0;
}

int TEntity::EntityBlend(int blend) {
  brush->blend = blend;
  return 0;
}

int TEntity::EntityFX(int fx) {
  brush->fx = fx;
  return 0;
}

int TEntity::EntityAutoFade(float near, float far) {
  auto_fade = 1;
  fade_near = near;
  fade_far = far;
  return 0;
}

int TEntity::PaintEntity(const TBrush& source) {
  brush->no_texs = source.no_texs;
  brush->name = source.name;
  brush->red = source.red;
  brush->green = source.green;
  brush->blue = source.blue;
  brush->alpha = source.alpha;
  brush->shine = source.shine;
  brush->blend = source.blend;
  brush->fx = source.fx;
  for (int i = 0; i < TBrush::kTextureSlots; ++i) brush->tex[i] = source.tex[i];
  return 0;
}

int TEntity::MeshCullRadius(float radius) {
  cull_radius = -radius;
  return 0;
}
