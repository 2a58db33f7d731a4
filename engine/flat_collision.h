// The flat function layer for collisions: per-entity settings and the impacts
// recorded by the last UpdateWorld. Rules are made with Collisions
// (flat_world.h).
//
// Collision types run from 0 (none) to 99; EntityType ignores other numbers.
// Impact indices are 1-based; outside 1 .. CountCollisions the queries return
// 0 or null. CollisionEntity and CollisionSurface return null for an obstacle
// freed since the update that recorded it.
#pragma once

#include "engine/entity.h"
#include "engine/surface.h"

int EntityType(TEntity* entity, int type, int recursive = 0);  // recursive 1: the whole subtree
int GetEntityType(TEntity* entity);
int EntityRadius(TEntity* entity, float rx, float ry = 0);  // ry 0: a sphere of radius rx
int EntityBox(TEntity* entity, float x, float y, float z, float w, float h, float d);
int ResetEntity(TEntity* entity);                    // no impacts; the next update sweeps from here
TEntity* EntityCollided(TEntity* entity, int type);  // an entity of type it touched, or null
int CountCollisions(TEntity* entity);
float CollisionX(TEntity* entity, int index);
float CollisionY(TEntity* entity, int index);
float CollisionZ(TEntity* entity, int index);
float CollisionNX(TEntity* entity, int index);
float CollisionNY(TEntity* entity, int index);
float CollisionNZ(TEntity* entity, int index);
float CollisionTime(TEntity* entity, int index);
TEntity* CollisionEntity(TEntity* entity, int index);
TSurface* CollisionSurface(TEntity* entity, int index);
int CollisionTriangle(TEntity* entity, int index);
