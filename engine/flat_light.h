// The flat function layer for lights. Light arguments must be live lights:
// null raises "<Function>: null light", a freed entity or one of another kind
// "<Function>: freed or invalid light". Changes show at the next render.
#pragma once

#include "engine/entity.h"
#include "engine/light.h"

// type 1 (or less) directional along the light's forward axis, 2 point, 3
// spot. Null when eight lights exist already: check the result.
TLight* CreateLight(int type = 1, TEntity* parent = nullptr);       // parent may be null
int LightRange(TLight* light, float range);                         // > 0; attenuation 1 at this distance
int LightColor(TLight* light, float red, float green, float blue);  // 0..255
int LightConeAngles(TLight* light, float inner, float outer);       // full cone angles, degrees
