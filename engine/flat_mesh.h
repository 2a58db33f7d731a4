// The flat function layer for meshes and surfaces.
//
// Mesh arguments must be live meshes ("ScaleMesh: null mesh", "ScaleMesh:
// freed or invalid mesh" for a freed entity or one of another kind). Surface
// arguments must not be null; a surface lives as long as its mesh (or a copy
// sharing its surfaces). Vertex and triangle indices outside the surface's
// counts raise a RuntimeError ("VertexX: vertex index out of range").
#pragma once

#include "engine/brush.h"
#include "engine/entity.h"
#include "engine/mesh.h"
#include "engine/surface.h"

// ---- Meshes ----
TMesh* CreateMesh(TEntity* parent = nullptr);                                       // parent may be null
TMesh* CreateCube(TEntity* parent = nullptr);                                       // spans -1..1
TMesh* CreateSphere(int segments = 8, TEntity* parent = nullptr);                   // null outside 2..100
TMesh* CreateCylinder(int segments = 8, int solid = 1, TEntity* parent = nullptr);  // null outside 3..100
TMesh* CreateCone(int segments = 8, int solid = 1, TEntity* parent = nullptr);      // null outside 3..100
TMesh* CopyMesh(TMesh* mesh, TEntity* parent = nullptr);                            // independent geometry
int AddMesh(TMesh* source, TMesh* target);
int FlipMesh(TMesh* mesh);
int PaintMesh(TMesh* mesh, TBrush* brush);
int FitMesh(TMesh* mesh, float x, float y, float z, float width, float height, float depth, int uniform = 0);
int ScaleMesh(TMesh* mesh, float sx, float sy, float sz);
int RotateMesh(TMesh* mesh, float pitch, float yaw, float roll);
int PositionMesh(TMesh* mesh, float px, float py, float pz);
int UpdateNormals(TMesh* mesh);
float MeshWidth(TMesh* mesh);
float MeshHeight(TMesh* mesh);
float MeshDepth(TMesh* mesh);
int CountSurfaces(TMesh* mesh);
TSurface* GetSurface(TMesh* mesh, int index);  // 1-based; null when out of range
TSurface* FindSurface(TMesh* mesh, TBrush* brush);
TSurface* CreateSurface(TMesh* mesh, TBrush* brush = nullptr);  // brush may be null

// ---- Surfaces ----
int PaintSurface(TSurface* surface, TBrush* brush);
int ClearSurface(TSurface* surface, int clear_verts = 1, int clear_tris = 1);
int AddVertex(TSurface* surface, float x, float y, float z, float u = 0, float v = 0, float w = 0);
int AddTriangle(TSurface* surface, int v0, int v1, int v2);
int CountVertices(TSurface* surface);
int CountTriangles(TSurface* surface);
int VertexCoords(TSurface* surface, int v, float x, float y, float z);
int VertexNormal(TSurface* surface, int v, float nx, float ny, float nz);
int VertexColor(TSurface* surface, int v, float r, float g, float b, float a = 1);  // r, g, b on 0..255
int VertexTexCoords(TSurface* surface, int v, float u, float vv, float w = 0, int coord_set = 0);
float VertexX(TSurface* surface, int v);
float VertexY(TSurface* surface, int v);
float VertexZ(TSurface* surface, int v);
float VertexNX(TSurface* surface, int v);
float VertexNY(TSurface* surface, int v);
float VertexNZ(TSurface* surface, int v);
float VertexRed(TSurface* surface, int v);
float VertexGreen(TSurface* surface, int v);
float VertexBlue(TSurface* surface, int v);
float VertexAlpha(TSurface* surface, int v);
float VertexU(TSurface* surface, int v, int coord_set = 0);
float VertexV(TSurface* surface, int v, int coord_set = 0);
float VertexW(TSurface* surface, int v, int coord_set = 0);
int TriangleVertex(TSurface* surface, int t, int corner);  // corner 0..2 as given to AddTriangle
