// The engine's public header: the flat function layer that the game and other
// programs built on the engine include. Operations take the object first and
// give trailing arguments their documented defaults.
#pragma once

#include "engine/flat_brush.h"
#include "engine/flat_camera.h"
#include "engine/flat_collision.h"
#include "engine/flat_entity.h"
#include "engine/flat_light.h"
#include "engine/flat_mesh.h"
#include "engine/flat_sprite.h"
#include "engine/flat_overlay.h"
#include "engine/flat_texture.h"
#include "engine/flat_world.h"
#include "graphics/graphics.h"
