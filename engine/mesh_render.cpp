// Drawing a mesh with the fixed-function pipeline: the entity and surface
// brushes combined into one material per surface, up to eight texture layers,
// and vertex data from buffer objects (large surfaces) or client arrays.
#include <GL/glew.h>

#include <algorithm>
#include <vector>

#include "engine/global.h"
#include "engine/hardware_info.h"
#include "engine/mesh.h"

namespace {

// Effect bits of a brush.
constexpr int kFxFullBright = 1, kFxVertexColours = 2, kFxFlat = 4, kFxNoFog = 8, kFxNoCull = 16,
              kFxForceBlend = 32;

// The dot-3 RGB combine function of the texture-env-dot3 extension.
constexpr GLint kCombineDot3Rgb = 0x8740;

// 1 when a brush asks for blending by itself.
bool BrushNeedsBlend(const TBrush& brush) {
  if (brush.alpha < 1 || brush.blend == 2 || brush.blend == 3 || (brush.fx & kFxForceBlend)) return true;
  const TTexture* texture = brush.tex[0].get();
  return texture && (texture->flags & TTexture::kAlpha);
}

void SetBlendFunc(int blend) {
  switch (blend) {
    case 0:
    case 1:
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      break;
    case 2:
      glBlendFunc(GL_DST_COLOR, GL_ZERO);
      break;
    case 3:
      glBlendFunc(GL_SRC_ALPHA, GL_ONE);
      break;
    default:
      break;  // other modes keep the blend function as it was
  }
}

void SetTextureEnv(int blend) {
  switch (blend) {
    case 0:
    case 1:
      glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
      break;
    case 3:
      glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_ADD);
      break;
    case 4:
      glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
      glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, kCombineDot3Rgb);
      break;
    case 5:
      glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
      glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_MODULATE);
      glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE, 2.0f);
      break;
    default:
      glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
      break;
  }
}

void SelectUnit(int k) {
  if (!THardwareInfo::VBOSupport) return;
  glActiveTextureARB(GLenum(GL_TEXTURE0_ARB + k));
  glClientActiveTextureARB(GLenum(GL_TEXTURE0_ARB + k));
}

// The material of one surface: the entity brush E over the surface brush S.
struct Material {
  float red, green, blue, alpha, shine;
  int blend, fx;
};

Material Combine(const TBrush& e, const TBrush& s, float fade_alpha) {
  Material m;
  m.red = e.red * s.red;
  m.green = e.green * s.green;
  m.blue = e.blue * s.blue;
  m.alpha = e.alpha * s.alpha - fade_alpha;
  m.shine = e.shine != 0 ? e.shine : s.shine;
  if (m.shine != 0 && s.shine != 0) m.shine *= s.shine;
  m.blend = e.blend != 0 ? e.blend : s.blend;
  m.fx = e.fx | s.fx;
  return m;
}

// Makes sure the surface's buffers exist and hold its current data.
void PrepareBuffers(TSurface& surface) {
  if (surface.reset_vbo != 0) {
    surface.UpdateVBO();
  } else if (surface.vbo_id[0] == 0) {
    surface.reset_vbo = -1;
    surface.UpdateVBO();
  }
}

// One texture layer: texture, parameters, coordinate generation and matrix.
void SetUpLayer(int k, TTexture& texture, int frame, const TSurface& surface, bool from_buffers) {
  SelectUnit(k);
  const int flags = texture.flags;
  const GLuint name = texture.GLName(frame);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, name);

  if (flags & TTexture::kMasked) {
    glEnable(GL_ALPHA_TEST);
  } else {
    glDisable(GL_ALPHA_TEST);
  }
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                  (flags & TTexture::kMipmapped) ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S,
                  (flags & TTexture::kClampU) ? GL_CLAMP_TO_EDGE : GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T,
                  (flags & TTexture::kClampV) ? GL_CLAMP_TO_EDGE : GL_REPEAT);

  const bool sphere = flags & TTexture::kSphereMap;
  if (sphere) {
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
  } else {
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
  }

  const bool cube = flags & TTexture::kCubeMap;
  if (cube) {
    glEnable(GL_TEXTURE_CUBE_MAP);
    glBindTexture(GL_TEXTURE_CUBE_MAP, name);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_GEN_R);
    const GLint mode = texture.cube_mode == 1   ? GL_REFLECTION_MAP
                       : texture.cube_mode == 2 ? GL_NORMAL_MAP
                                                : 0;
    if (mode) {
      glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, mode);
      glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, mode);
      glTexGeni(GL_R, GL_TEXTURE_GEN_MODE, mode);
    }
  } else {
    glDisable(GL_TEXTURE_CUBE_MAP);
    if (!sphere) {
      glDisable(GL_TEXTURE_GEN_S);
      glDisable(GL_TEXTURE_GEN_T);
    }
    glDisable(GL_TEXTURE_GEN_R);
  }

  SetTextureEnv(texture.blend);

  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  if (from_buffers) {
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, GLuint(surface.vbo_id[texture.coords == 1 ? 2 : 1]));
    glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
  } else {
    const std::vector<float>& coords =
        texture.coords == 1 ? surface.vert_tex_coords1 : surface.vert_tex_coords0;
    glTexCoordPointer(2, GL_FLOAT, 0, coords.data());
  }

  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  if (texture.u_pos != 0 || texture.v_pos != 0) glTranslatef(texture.u_pos, texture.v_pos, 0);
  if (texture.angle != 0) glRotatef(texture.angle, 0, 0, 1);
  if (texture.u_scale != 0 || texture.v_scale != 0) glScalef(texture.u_scale, texture.v_scale, 1);
  if (sphere) glScalef(1, -1, -1);
  if (cube) {
    glScalef(1, -1, -1);
    // The camera's view rotation, transposed: reflections stay fixed in the
    // world as the camera turns.
    GLfloat view[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    const GLfloat inverse[16] = {view[0], view[4], view[8],  0, view[1], view[5], view[9], 0,
                                 view[2], view[6], view[10], 0, 0,       0,       0,       1};
    glMultMatrixf(inverse);
  }
  glMatrixMode(GL_MODELVIEW);
}

// The textures a surface is drawn with: the entity's slot k, else the
// surface's, each with the frame of the brush it came from.
struct Layer {
  TTexture* texture;
  int frame;
};

Layer LayerAt(const TBrush& e, const TBrush& s, int k) {
  if (e.tex[k]) return {e.tex[k].get(), e.tex_frame};
  if (s.tex[k]) return {s.tex[k].get(), s.tex_frame};
  return {nullptr, 0};
}

// Surfaces of the mesh being drawn, opaque ones first, each with its index in
// surf_list; reused from mesh to mesh.
std::vector<int>& DrawOrder(const TMesh::SurfaceList& surfaces) {
  static std::vector<int> order;
  order.clear();
  for (int blended = 0; blended <= 1; ++blended)
    for (size_t i = 0; i < surfaces.size(); ++i)
      if ((surfaces[i]->alpha_enable != 0) == (blended != 0)) order.push_back(int(i));
  return order;
}

}  // namespace

int TMesh::Alpha() {
  bool needs = BrushNeedsBlend(*brush);
  for (const Ref<TSurface>& surface : *surf_list) {
    surface->alpha_enable = 0;
    if (BrushNeedsBlend(*surface->brush)) needs = true;
    if (fade_alpha != 0) needs = true;
    if (needs) surface->alpha_enable = 1;
  }
  return needs ? 1 : 0;
}

int TMesh::Update() {
  const bool fog_was_on = glIsEnabled(GL_FOG);
  glDisable(GL_ALPHA_TEST);
  if (order != 0) {
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
  } else {
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
  }

  const int max_units = THardwareInfo::VBOSupport ? std::max(THardwareInfo::MaxTextures, 1) : 1;
  const TBrush& e = *brush;
  for (int index : DrawOrder(*surf_list)) {
    TSurface& surface = *(*surf_list)[size_t(index)];
    TSurface* anim_surface =
        anim != 0 && size_t(index) < anim_surf_list.size() ? anim_surf_list[size_t(index)].get() : nullptr;
    if (surface.no_tris == 0) continue;

    const bool from_buffers = surface.no_tris >= TSurface::kVboMinTris && TGlobal::vbo_enabled != 0;
    if (from_buffers) {
      PrepareBuffers(surface);
      if (anim_surface) PrepareBuffers(*anim_surface);
    } else if (surface.no_tris < TSurface::kVboMinTris) {
      surface.FreeVBO();
      if (anim_surface) anim_surface->FreeVBO();
    }

    const TBrush& s = *surface.brush;
    const Material m = Combine(e, s, fade_alpha);

    if (surface.alpha_enable == 1) {
      glEnable(GL_BLEND);
      glDepthMask(GL_FALSE);
    } else {
      glDisable(GL_BLEND);
      glDepthMask(GL_TRUE);
    }
    SetBlendFunc(m.blend);

    const GLfloat ambient[4] = {(m.fx & kFxFullBright) ? 1.0f : TGlobal::ambient_red,
                                (m.fx & kFxFullBright) ? 1.0f : TGlobal::ambient_green,
                                (m.fx & kFxFullBright) ? 1.0f : TGlobal::ambient_blue, 1.0f};
    if (m.fx & kFxVertexColours) {
      glEnable(GL_COLOR_MATERIAL);
    } else {
      glDisable(GL_COLOR_MATERIAL);
    }
    glShadeModel((m.fx & kFxFlat) ? GL_FLAT : GL_SMOOTH);
    if (m.fx & kFxNoFog) glDisable(GL_FOG);
    if (m.fx & kFxNoCull) {
      glDisable(GL_CULL_FACE);
    } else {
      glEnable(GL_CULL_FACE);
    }

    const TSurface& coords = anim_surface ? *anim_surface : surface;
    if (from_buffers) {
      glBindBufferARB(GL_ARRAY_BUFFER_ARB, GLuint(coords.vbo_id[0]));
      glVertexPointer(3, GL_FLOAT, 0, nullptr);
      glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, GLuint(surface.vbo_id[5]));
      glBindBufferARB(GL_ARRAY_BUFFER_ARB, GLuint(surface.vbo_id[3]));
      glNormalPointer(GL_FLOAT, 0, nullptr);
      glBindBufferARB(GL_ARRAY_BUFFER_ARB, GLuint(surface.vbo_id[4]));
      glColorPointer(4, GL_FLOAT, 0, nullptr);
    } else {
      if (THardwareInfo::VBOSupport) {
        glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
        glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, 0);
      }
      glVertexPointer(3, GL_FLOAT, 0, coords.vert_coords.data());
      glColorPointer(4, GL_FLOAT, 0, surface.vert_col.data());
      glNormalPointer(GL_FLOAT, 0, surface.vert_norm.data());
    }

    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    const GLfloat colour[4] = {m.red, m.green, m.blue, m.alpha};
    const GLfloat specular[4] = {m.shine, m.shine, m.shine, m.shine};
    glMaterialfv(GL_FRONT, GL_AMBIENT, colour);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, colour);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, 100.0f);

    // Layers beyond the units the implementation has are skipped.
    const int layers = std::min(std::max(e.no_texs, s.no_texs), std::min(max_units, TBrush::kTextureSlots));
    for (int k = 0; k < layers; ++k) {
      const Layer layer = LayerAt(e, s, k);
      if (layer.texture) SetUpLayer(k, *layer.texture, layer.frame, surface, from_buffers);
    }

    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glMultMatrixf(&DrawMatrix().grid[0][0]);
    glDrawElements(GL_TRIANGLES, surface.no_tris * 3, GL_UNSIGNED_SHORT,
                   from_buffers ? nullptr : surface.tris.data());
    glPopMatrix();

    for (int k = 0; k < layers; ++k) {
      SelectUnit(k);
      glMatrixMode(GL_TEXTURE);
      glLoadIdentity();
      glMatrixMode(GL_MODELVIEW);
      glDisable(GL_TEXTURE_2D);
      glDisable(GL_TEXTURE_CUBE_MAP);
      glDisable(GL_TEXTURE_GEN_S);
      glDisable(GL_TEXTURE_GEN_T);
      glDisable(GL_TEXTURE_GEN_R);
      glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    if (layers > 0) SelectUnit(0);
    if (fog_was_on) glEnable(GL_FOG);
  }
  return 0;
}
