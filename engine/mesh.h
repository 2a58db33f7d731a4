// TMesh: the entity kind that carries geometry, an ordered list of surfaces
// with a bounding box and cull radius derived from them.
//
// Copies of a mesh (CopyEntity) share its surface list and collision tree, so
// a change to the geometry of one shows in all; CopyMesh makes independent
// geometry. Every operation that moves vertices marks the geometry changed:
// reset_bounds = 1 (GetBounds recomputes the box and cull radius) and the
// collision tree's reset_col_tree = 1.
//
// Coordinates are in user space. The box is in the mesh's own coordinates and
// is valid after GetBounds; cull_radius (half the largest side times sqrt 3)
// is what camera culling reads, unless MeshCullRadius fixed it by hand.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/col_tree.h"
#include "engine/entity.h"
#include "engine/matrix.h"
#include "engine/surface.h"

class TMesh : public TEntity {
 public:
  using SurfaceList = std::vector<Ref<TSurface>>;

  float min_x = 0, min_y = 0, min_z = 0;
  float max_x = 0, max_y = 0, max_z = 0;
  int no_surfs = 0;
  std::shared_ptr<SurfaceList> surf_list = std::make_shared<SurfaceList>();
  SurfaceList anim_surf_list;  // deformed copies of skinned meshes' surfaces
  int no_bones = 0;
  TMatrix mat_sp;  // the matrix a sprite is drawn with
  Ref<TColTree> col_tree = MakeRef<TColTree>();
  int reset_bounds = 1;

  TMesh();

  // Each creation function makes a root when parent is null.
  static TMesh* CreateMesh(TEntity* parent = nullptr);
  // 24 vertices, 12 triangles, spanning -1..1 on every axis.
  static TMesh* CreateCube(TEntity* parent = nullptr);
  // Segments 2..100, else null.
  static TMesh* CreateSphere(int segments = 8, TEntity* parent = nullptr);
  // Segments 3..100, else null. solid 1 adds a surface for the caps (base).
  static TMesh* CreateCylinder(int segments = 8, int solid = 1, TEntity* parent = nullptr);
  static TMesh* CreateCone(int segments = 8, int solid = 1, TEntity* parent = nullptr);

  TMesh* CopyEntity(TEntity* parent) override;
  int FreeEntity() override;
  // Mesh drawing is not part of this class yet: it draws nothing.
  int Update() override { return 0; }

  // A new mesh under parent holding a copy of this mesh's geometry.
  virtual TMesh* CopyMesh(TEntity* parent = nullptr);
  // Appends this mesh's geometry to target, merging into target surfaces with
  // an equal brush.
  virtual int AddMesh(TMesh& target);
  virtual int FlipMesh();
  virtual int PaintMesh(const TBrush& brush);
  virtual int FitMesh(float x, float y, float z, float width, float height, float depth, int uniform = 0);
  virtual int ScaleMesh(float sx, float sy, float sz);
  virtual int RotateMesh(float pitch, float yaw, float roll);
  virtual int PositionMesh(float px, float py, float pz);
  // Smoothed normals, each surface on its own. A vertex none of whose faces
  // has an area, or whose face normals cancel out, keeps its normal.
  virtual int UpdateNormals();
  // With a brush, the surface and the entity each get a copy of it.
  virtual TSurface* CreateSurface(const TBrush* brush = nullptr);
  virtual float MeshWidth();
  virtual float MeshHeight();
  virtual float MeshDepth();
  virtual int CountSurfaces() const { return no_surfs; }
  // 1-based; null outside 1 .. CountSurfaces().
  virtual TSurface* GetSurface(int index) const;
  // The first surface whose brush equals brush by CompareBrushes, or null.
  virtual TSurface* FindSurface(const TBrush* brush) const;
  virtual int CountVertices() const;
  virtual int CountTriangles() const;
  // Every position and normal through matrix (stored space).
  virtual int TransformMesh(const TMatrix& matrix);
  // Recomputes the box and cull radius when reset_bounds is 1. A mesh without
  // vertices gets an empty box at the origin and, unless fixed, radius 0.
  virtual int GetBounds();

  // entity and every mesh below it, each through its global matrix, added to
  // mesh (a new root mesh when null).
  static TMesh* CollapseAnimMesh(TEntity* entity, TMesh* mesh = nullptr);
  static void CollapseChildren(TEntity* entity, TMesh& mesh);

  // reset_bounds and the collision tree's flag.
  void MarkGeometryChanged();

 private:
  static TMesh* Attach(TMesh* mesh, TEntity* parent);
  // Appends the vertices and triangles of source to target, corners offset
  // by the target's previous vertex count.
  static void AppendSurface(const TSurface& source, TSurface& target);
};
