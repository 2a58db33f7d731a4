// The flat function layer for brushes. Brush handles must not be null
// ("BrushAlpha: null brush"); brushes live as long as a reference to them.
#pragma once

#include <string>

#include "engine/brush.h"
#include "engine/entity.h"
#include "engine/surface.h"

Ref<TBrush> CreateBrush(float red = 255, float green = 255, float blue = 255);  // colour on 0..255
Ref<TBrush> LoadBrush(const std::string& file, int flags = 1, float u_scale = 1, float v_scale = 1);
int FreeBrush(TBrush* brush);  // does nothing: the last reference frees it
int BrushColor(TBrush* brush, float red, float green, float blue);
int BrushAlpha(TBrush* brush, float alpha);
int BrushShininess(TBrush* brush, float shine);
int BrushTexture(TBrush* brush, TTexture* texture, int frame = 0, int index = 0);  // texture may be null
int BrushBlend(TBrush* brush, int blend);
int BrushFX(TBrush* brush, int fx);
TTexture* GetBrushTexture(TBrush* brush, int index = 0);  // null for an empty slot or index outside 0..7
Ref<TBrush> GetEntityBrush(TEntity* entity);              // a copy of the entity's brush
Ref<TBrush> GetSurfaceBrush(TSurface* surface);           // a copy of the surface's brush
int CompareBrushes(TBrush* a, TBrush* b);                 // either may be null
