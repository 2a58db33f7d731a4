// TEntity: the base of every scene node (pivots, cameras, lights, meshes,
// sprites, bones).
//
// Glossary.
// - User space: what the API takes and returns: left-handed, x right, y up,
//   z forward; angles in degrees, positive pitch looks down, positive yaw
//   turns left, positive roll turns the up axis toward -x.
// - Stored space: OpenGL's right-handed form. An entity stores its z negated
//   (pz = -z) and its angles as rx = -pitch, ry = yaw, rz = roll.
// - Local transform: px..pz, rx..rz, sx..sz, relative to the parent.
// - mat: the cached global matrix. Invariant: after every transform operation
//   mat = parent's mat (identity for a root) · T(p) · Ry(ry) · Rx(rx) · Rz(rz)
//   · S(s), and the same holds for every descendant. Rendering and collisions
//   read mat and never recompute it.
// - Global flag: a setter's flag takes effect when it equals 1 and the entity
//   has a parent; getters treat any non-zero flag as global.
//
// Life cycle. A Create function (or CopyEntity) makes an entity, attaches it to
// its parent and inserts it into entity_list. From then on the lists own it:
// entity_list and the parent's child_list hold counted references, parent and
// link are plain back pointers. FreeEntity takes it out of every list, frees
// its whole subtree and drops the references, which normally deletes it; the
// pointer must not be used afterwards. Since freeing a parent frees its
// children too, code that frees every entity takes entity_list's first entity
// until the list is empty rather than walking it. The flat function layer
// checks handles against the set of live entities, so a freed or foreign
// pointer passed there raises a RuntimeError naming the function instead of
// touching memory.
//
// Subclasses supply CopyEntity and Update. Overrides of FreeEntity do their own
// clean-up first and call TEntity::FreeEntity last: when it returns, the entity
// may already be deleted.
#pragma once

#include <string>
#include <vector>

#include "core/object.h"
#include "engine/brush.h"
#include "engine/collision_impact.h"
#include "engine/matrix.h"
#include "engine/object_list.h"
#include "engine/texture.h"

class TEntity : public Object {
 public:
  using List = TList<TEntity>;

  // Every entity, ordered by `order` (EntityListAdd). Created by InitEngineLists.
  inline static List* entity_list = nullptr;
  // Result of the last TFormPoint, TFormVector or TFormNormal (user space).
  inline static float tformed_x = 0;
  inline static float tformed_y = 0;
  inline static float tformed_z = 0;

  List child_list;  // children in the order they were attached
  TEntity* parent = nullptr;
  TMatrix mat;  // global matrix (stored space); zero until the first update
  float px = 0, py = 0, pz = 0;
  float sx = 1, sy = 1, sz = 1;
  float rx = 0, ry = 0, rz = 0;          // -pitch, yaw, roll
  float qw = 0, qx = 0, qy = 0, qz = 0;  // rotation as a model file gives it
  std::string name;
  std::string class_name;  // "Pivot", "Camera", "Light", ...
  int hide = 0;
  int order = 0;
  float alpha_order = 0;  // squared camera distance of a blended mesh, per render
  int auto_fade = 0;
  float fade_near = 0, fade_far = 0;
  float fade_alpha = 0;
  Ref<TBrush> brush = MakeRef<TBrush>();
  float cull_radius = 0;  // negative when set by MeshCullRadius
  float radius_x = 1, radius_y = 1;
  float box_x = -1, box_y = -1, box_z = -1, box_w = 2, box_h = 2, box_d = 2;
  int collision_type = 0;
  int no_collisions = 0;
  std::vector<TCollisionImpact> collision;  // impacts of the last collision pass
  int pick_mode = 0;
  int obscurer = 0;
  int anim = 0, anim_render = 0, anim_mode = 0;
  float anim_time = 0, anim_speed = 0;
  int anim_seq = 0, anim_trans = 0;
  int anim_dir = 1;
  std::vector<int> anim_seqs_first = std::vector<int>(1, 0);
  std::vector<int> anim_seqs_last = std::vector<int>(1, 0);
  int no_seqs = 0, anim_update = 0;
  float old_x = 0, old_y = 0, old_z = 0;
  TLink<TEntity>* link = nullptr;  // link from the last EntityListAdd

  // Registers the new entity as a live handle; throws before InitEngineLists.
  TEntity();
  ~TEntity() override;
  TEntity(const TEntity&) = delete;
  TEntity& operator=(const TEntity&) = delete;

  // A copy of the entity and its subtree under parent (none: a root).
  virtual TEntity* CopyEntity(TEntity* parent) = 0;
  // Per-frame work of the entity kind (drawing, light set-up); pivots do nothing.
  virtual int Update() = 0;
  virtual int FreeEntity();

  // Transforms. Every one ends with the matrix refresh that keeps the invariant.
  virtual int PositionEntity(float x, float y, float z, int global);
  // Along the entity's own rotated axes, ignoring its own scale.
  virtual int MoveEntity(float x, float y, float z);
  // Along the parent's axes.
  virtual int TranslateEntity(float x, float y, float z, int global);
  virtual int ScaleEntity(float x, float y, float z, int global);
  virtual int RotateEntity(float pitch, float yaw, float roll, int global);
  // Adds to the stored Euler angles; the global flag has no effect.
  virtual int TurnEntity(float pitch, float yaw, float roll, int global);
  // Turns the forward axis (+z) toward target, with the given roll.
  virtual int PointEntity(TEntity* target, float roll);

  // Material: the entity's own brush. Colours on 0..255 are divided by 255.
  virtual int EntityColor(float red, float green, float blue);
  virtual int EntityAlpha(float alpha);
  virtual int EntityShininess(float shininess);
  // Slot index (0..7) = texture; frame clamped to the texture's frames.
  virtual int EntityTexture(TTexture* texture, int frame, int index);
  virtual int EntityBlend(int blend);
  virtual int EntityFX(int fx);
  virtual int EntityAutoFade(float near, float far);
  // Copies the brush's fields and texture slots, not its tex_frame.
  virtual int PaintEntity(const TBrush& source);
  // Sets `order`; cameras override it to re-sort their list.
  virtual int EntityOrder(int order);

  virtual int ShowEntity();
  virtual int HideEntity();
  // 1 when the entity or any ancestor is hidden.
  virtual int Hidden() const;
  virtual int NameEntity(const std::string& name);

  // Three cases: no new parent (becomes a root where it is), global = 1 (keeps
  // its place in the world), otherwise its world values become local values
  // under the new parent. Throws when new_parent is the entity or a descendant.
  virtual int EntityParent(TEntity* new_parent, int global);
  virtual TEntity* GetParent() const;

  virtual float EntityX(int global) const;
  virtual float EntityY(int global) const;
  virtual float EntityZ(int global) const;
  virtual float EntityPitch(int global) const;
  virtual float EntityYaw(int global) const;
  virtual float EntityRoll(int global) const;
  virtual std::string EntityClass() const;
  virtual std::string EntityName() const;
  virtual int CountChildren() const;
  // The n-th child counting from 1, or none.
  virtual TEntity* GetChild(int n) const;
  // Depth-first in child order, exact case-sensitive name; none if absent.
  virtual TEntity* FindChild(const std::string& name) const;
  virtual float EntityDistance(const TEntity& other) const;
  // Absolute yaw and pitch that point an entity from here at other.
  virtual float DeltaYaw(const TEntity& other) const;
  virtual float DeltaPitch(const TEntity& other) const;
  // mat.grid[i][j] (stored space); i and j in 0..3.
  virtual float GetMatElement(int i, int j) const;
  // cull_radius = -radius: a negative radius marks one set by hand.
  virtual int MeshCullRadius(float radius);
  virtual float EntityScaleX(int global) const;
  virtual float EntityScaleY(int global) const;
  virtual float EntityScaleZ(int global) const;
  // Depth-first pre-order walk of entity's descendants (none: this entity),
  // adding 1 to counter at each; the one at which counter reaches n, or none.
  virtual TEntity* GetChildFromAll(int n, int& counter, TEntity* entity);
  // load_identity 1: mat = identity first; otherwise the caller has copied the
  // parent's mat into mat. Then mat = mat · T · R · S of the local fields.
  virtual int UpdateMat(int load_identity);
  // Sets parent and, with one, copies its mat and joins its child_list.
  virtual int AddParent(TEntity* new_parent);
  virtual float EntityDistanceSquared0(const TEntity& other) const;
  virtual float EntityDistanceSquared(const TEntity& other) const;
  // Inserts by `order` and stores the new link: positive orders first
  // (largest first, newer before older), then 0 in insertion order, then
  // negative ones (-1 before -2, newer after older).
  virtual int EntityListAdd(List& list);

  // Collisions (entity_collision.cpp). Types outside 0..99 are ignored by
  // EntityType and find nothing in EntityCollided. Impact queries take
  // 1-based indices and return 0 or null outside 1 .. no_collisions.
  virtual int EntityType(int type_no, int recursive = 0);
  virtual int GetEntityType() const;
  // ry 0 makes the ellipsoid a sphere of radius rx.
  virtual int EntityRadius(float rx, float ry = 0);
  virtual int EntityBox(float x, float y, float z, float w, float h, float d);
  // Drops the impacts and takes the current global position as the previous
  // one, so the next pass sweeps nothing.
  virtual int ResetEntity();
  virtual int CountCollisions() const;
  virtual float CollisionX(int i) const;
  virtual float CollisionY(int i) const;
  virtual float CollisionZ(int i) const;
  virtual float CollisionNX(int i) const;
  virtual float CollisionNY(int i) const;
  virtual float CollisionNZ(int i) const;
  virtual float CollisionTime(int i) const;
  virtual TEntity* CollisionEntity(int i) const;
  virtual TSurface* CollisionSurface(int i) const;
  virtual int CollisionTriangle(int i) const;
  // The first obstacle of type this entity ran into, else the first entity of
  // type that ran into this one, else null.
  virtual TEntity* EntityCollided(int type) const;

  // Point, vector and normal transforms from src's space to dest's (none:
  // world space); the result goes to tformed_x/y/z. A zero scale on dest's
  // chain divides by zero.
  static int TFormPoint(float x, float y, float z, const TEntity* src, const TEntity* dest);
  static int TFormVector(float x, float y, float z, const TEntity* src, const TEntity* dest);
  static int TFormNormal(float x, float y, float z, const TEntity* src, const TEntity* dest);
  static float TFormedX() { return tformed_x; }
  static float TFormedY() { return tformed_y; }
  static float TFormedZ() { return tformed_z; }
  // n plus the number of all descendants of entity.
  static int CountAllChildren(const TEntity& entity, int n = 0);
  // Recomputes the matrices of entity's whole subtree from its mat.
  static void UpdateChildren(TEntity& entity);

  // The live-handle registry behind the flat layer's checks: an entity is live
  // from its construction until FreeEntity.
  static bool IsLive(const TEntity* entity);
  // Creates entity_list and the registry; idempotent (InitEngineLists calls it).
  static void CreateLists();

 protected:
  // The matrix refresh that ends every transform operation; children are
  // updated when asked and there are any.
  void RefreshMat(bool update_children);
  // Steps shared by every CopyEntity once the subclass has made `copy`: copies
  // the children under it, attaches it, lists it, copies the entity fields and
  // the brush, and computes its matrices from the copied local fields.
  void CopyEntityInto(TEntity& copy, TEntity* new_parent);

 private:
  bool IsAncestorOrSelf(const TEntity* other) const;
  TLink<TEntity>* InsertByOrder(List& list);
  static void TForm(float x, float y, float z, const TEntity* src, const TEntity* dest, bool translate);

  // This entity's link in entity_list, for constant-time removal; `link` may
  // belong to another list (cameras are inserted into cam_list last).
  TLink<TEntity>* entity_link_ = nullptr;
  bool freed_ = false;
};
