// The flat function layer for entities: free functions with the operations'
// names, the entity first, trailing arguments with their defaults.
//
// Coordinates and angles are in user space (x right, y up, z forward; degrees,
// positive pitch looks down, positive yaw turns left). A global flag of 1 works
// in world space when the entity has a parent; 0 works relative to the parent.
//
// Handles: every entity argument must be a live entity unless it is marked
// "may be null". Null, freed or foreign handles raise a RuntimeError naming the
// function ("EntityX: null entity", "EntityX: freed or invalid entity").
// Created entities belong to the engine's lists; free them with FreeEntity
// (which frees their children too) and do not use the pointer afterwards.
#pragma once

#include <string>

#include "engine/brush.h"
#include "engine/entity.h"
#include "engine/pivot.h"
#include "engine/texture.h"

// ---- Life cycle ----
TPivot* CreatePivot(TEntity* parent = nullptr);                   // parent may be null
TEntity* CopyEntity(TEntity* entity, TEntity* parent = nullptr);  // copies the subtree; parent may be null
int FreeEntity(TEntity* entity);                                  // frees the entity and its subtree

// ---- Transforms ----
int PositionEntity(TEntity* entity, float x, float y, float z, int global = 0);
int MoveEntity(TEntity* entity, float x, float y, float z);  // own axes, ignoring own scale
int TranslateEntity(TEntity* entity, float x, float y, float z, int global = 0);  // parent's axes
int ScaleEntity(TEntity* entity, float x, float y, float z, int global = 0);
int RotateEntity(TEntity* entity, float pitch, float yaw, float roll, int global = 0);
int TurnEntity(TEntity* entity, float pitch, float yaw, float roll, int global = 0);  // flag has no effect
int PointEntity(TEntity* entity, TEntity* target, float roll = 0);  // forward axis toward target

// ---- Queries ----
float EntityX(TEntity* entity, int global = 0);
float EntityY(TEntity* entity, int global = 0);
float EntityZ(TEntity* entity, int global = 0);
float EntityPitch(TEntity* entity, int global = 0);
float EntityYaw(TEntity* entity, int global = 0);
float EntityRoll(TEntity* entity, int global = 0);
float EntityScaleX(TEntity* entity, int global = 0);
float EntityScaleY(TEntity* entity, int global = 0);
float EntityScaleZ(TEntity* entity, int global = 0);
float EntityDistance(TEntity* a, TEntity* b);
float DeltaYaw(TEntity* a, TEntity* b);              // absolute yaw that points a at b
float DeltaPitch(TEntity* a, TEntity* b);            // absolute pitch that points a at b
float GetMatElement(TEntity* entity, int i, int j);  // global matrix, stored space; i, j in 0..3

// ---- Hierarchy ----
// new_parent may be null (the entity becomes a root where it is). global 1:
// the entity keeps its place in the world; 0: its world values become local
// values under the new parent.
int EntityParent(TEntity* entity, TEntity* new_parent, int global = 1);
TEntity* GetParent(TEntity* entity);  // null for a root
int CountChildren(TEntity* entity);
TEntity* GetChild(TEntity* entity, int n);                     // 1-based; null when out of range
TEntity* FindChild(TEntity* entity, const std::string& name);  // depth-first; null when absent

// ---- Naming and visibility ----
int NameEntity(TEntity* entity, const std::string& name);
std::string EntityName(TEntity* entity);
std::string EntityClass(TEntity* entity);  // "Pivot", "Camera", ...
int ShowEntity(TEntity* entity);
int HideEntity(TEntity* entity);  // hides the entity and, in effect, its subtree

// ---- Material (the entity's brush) and ordering ----
int EntityColor(TEntity* entity, float red, float green, float blue);  // 0..255, stored / 255, not clamped
int EntityAlpha(TEntity* entity, float alpha);                         // 0..1; 0 is not drawn
int EntityShininess(TEntity* entity, float shininess);
int EntityTexture(TEntity* entity, TTexture* texture, int frame = 0, int index = 0);  // index 0..7
int EntityBlend(TEntity* entity, int blend);
int EntityFX(TEntity* entity, int fx);
int PaintEntity(TEntity* entity, TBrush* brush);  // copies the brush's fields into the entity's
int EntityAutoFade(TEntity* entity, float near, float far);
int EntityOrder(TEntity* entity, int order);        // drawing order; larger first, 0 default
int MeshCullRadius(TEntity* entity, float radius);  // culling radius set by hand

// ---- Point and vector transforms ----
// From src's space to dest's; either may be null for world space. Read the
// result with TFormedX/Y/Z. TFormVector ignores translation; TFormNormal also
// scales the result to length 1.
int TFormPoint(float x, float y, float z, TEntity* src, TEntity* dest);
int TFormVector(float x, float y, float z, TEntity* src, TEntity* dest);
int TFormNormal(float x, float y, float z, TEntity* src, TEntity* dest);
float TFormedX();
float TFormedY();
float TFormedZ();

// ---- Vector angles ----
float VectorYaw(float x, float y, float z);    // yaw that points an entity along (x, y, z)
float VectorPitch(float x, float y, float z);  // pitch that points an entity along (x, y, z)
