#include "engine/flat_collision.h"

#include "engine/handle_check.h"

int EntityType(TEntity* entity, int type, int recursive) {
  return CheckEntity(entity, "EntityType").EntityType(type, recursive);
}
int GetEntityType(TEntity* entity) { return CheckEntity(entity, "GetEntityType").GetEntityType(); }
int EntityRadius(TEntity* entity, float rx, float ry) {
  return CheckEntity(entity, "EntityRadius").EntityRadius(rx, ry);
}
int EntityBox(TEntity* entity, float x, float y, float z, float w, float h, float d) {
  return CheckEntity(entity, "EntityBox").EntityBox(x, y, z, w, h, d);
}
int ResetEntity(TEntity* entity) { return CheckEntity(entity, "ResetEntity").ResetEntity(); }
TEntity* EntityCollided(TEntity* entity, int type) {
  return CheckEntity(entity, "EntityCollided").EntityCollided(type);
}
int CountCollisions(TEntity* entity) { return CheckEntity(entity, "CountCollisions").CountCollisions(); }
float CollisionX(TEntity* entity, int index) { return CheckEntity(entity, "CollisionX").CollisionX(index); }
float CollisionY(TEntity* entity, int index) { return CheckEntity(entity, "CollisionY").CollisionY(index); }
float CollisionZ(TEntity* entity, int index) { return CheckEntity(entity, "CollisionZ").CollisionZ(index); }
float CollisionNX(TEntity* entity, int index) {
  return CheckEntity(entity, "CollisionNX").CollisionNX(index);
}
float CollisionNY(TEntity* entity, int index) {
  return CheckEntity(entity, "CollisionNY").CollisionNY(index);
}
float CollisionNZ(TEntity* entity, int index) {
  return CheckEntity(entity, "CollisionNZ").CollisionNZ(index);
}
float CollisionTime(TEntity* entity, int index) {
  return CheckEntity(entity, "CollisionTime").CollisionTime(index);
}
TEntity* CollisionEntity(TEntity* entity, int index) {
  return CheckEntity(entity, "CollisionEntity").CollisionEntity(index);
}
TSurface* CollisionSurface(TEntity* entity, int index) {
  return CheckEntity(entity, "CollisionSurface").CollisionSurface(index);
}
int CollisionTriangle(TEntity* entity, int index) {
  return CheckEntity(entity, "CollisionTriangle").CollisionTriangle(index);
}
