#include "engine/flat_brush.h"

#include "engine/handle_check.h"

namespace {

TBrush& Check(TBrush* brush, const char* function) { return CheckObject(brush, function, "brush"); }

}  // namespace

Ref<TBrush> CreateBrush(float red, float green, float blue) { return TBrush::CreateBrush(red, green, blue); }

Ref<TBrush> LoadBrush(const std::string& file, int flags, float u_scale, float v_scale) {
  return TBrush::LoadBrush(file, flags, u_scale, v_scale);
}

int FreeBrush(TBrush* brush) { return Check(brush, "FreeBrush").FreeBrush(); }

int BrushColor(TBrush* brush, float red, float green, float blue) {
  return Check(brush, "BrushColor").BrushColor(red, green, blue);
}

int BrushAlpha(TBrush* brush, float alpha) { return Check(brush, "BrushAlpha").BrushAlpha(alpha); }
int BrushShininess(TBrush* brush, float shine) {
  return Check(brush, "BrushShininess").BrushShininess(shine);
}

int BrushTexture(TBrush* brush, TTexture* texture, int frame, int index) {
  return Check(brush, "BrushTexture").BrushTexture(texture, frame, index);
}

int BrushBlend(TBrush* brush, int blend) { return Check(brush, "BrushBlend").BrushBlend(blend); }
int BrushFX(TBrush* brush, int fx) { return Check(brush, "BrushFX").BrushFX(fx); }
TTexture* GetBrushTexture(TBrush* brush, int index) {
  return Check(brush, "GetBrushTexture").GetBrushTexture(index);
}
Ref<TBrush> GetEntityBrush(TEntity* entity) { return CheckEntity(entity, "GetEntityBrush").brush->Copy(); }

Ref<TBrush> GetSurfaceBrush(TSurface* surface) {
  return CheckObject(surface, "GetSurfaceBrush", "surface").brush->Copy();
}

int CompareBrushes(TBrush* a, TBrush* b) { return TBrush::CompareBrushes(a, b); }
