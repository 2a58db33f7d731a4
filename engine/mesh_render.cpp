// Drawing a mesh with the fixed-function pipeline: the entity and surface
// brushes combined into one material per surface, up to eight texture layers,
// and vertex data from buffer objects (large surfaces) or client arrays.
#include <GL/glew.h>

#include <algorithm>
#include <vector>

#include "engine/global.h"
#include "engine/hardware_info.h"
#include "engine/mesh.h"
#include "engine/render_state.h"
#include "graphics/graphics.h"

namespace {

// Effect bits of a brush.
constexpr int kFxFullBright = 1, kFxVertexColours = 2, kFxFlat = 4, kFxNoFog = 8, kFxNoCull = 16,
              kFxForceBlend = 32;

// 1 when a brush asks for blending by itself.
bool BrushNeedsBlend(const TBrush& brush) {
  if (brush.alpha < 1 || brush.blend == 2 || brush.blend == 3 || (brush.fx & kFxForceBlend)) return true;
  const TTexture* texture = brush.tex[0].get();
  return texture && (texture->flags & TTexture::kAlpha);
}

void SetBlendFunc(TRenderState& gl, int blend) {
  switch (blend) {
    case 0:
    case 1:
      gl.BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      break;
    case 2:
      gl.BlendFunc(GL_DST_COLOR, GL_ZERO);
      break;
    case 3:
      gl.BlendFunc(GL_SRC_ALPHA, GL_ONE);
      break;
    default:
      break;  // other modes keep the blend function as it was
  }
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

// Makes sure the surface's buffers exist and hold its current data; true
// when that bound buffers.
bool PrepareBuffers(TSurface& surface) {
  if (surface.reset_vbo != 0) {
    surface.UpdateVBO();
    return true;
  }
  if (surface.vbo_id[0] == 0 || surface.vbo_seq != GraphicsSeq()) {
    surface.reset_vbo = -1;
    surface.UpdateVBO();
    return true;
  }
  return false;
}

// The texture matrix of a layer is the identity unless the texture is moved,
// turned or scaled, or maps a sphere or a cube.
bool IdentityTextureMatrix(const TTexture& texture) {
  if (texture.flags & (TTexture::kSphereMap | TTexture::kCubeMap)) return false;
  if (texture.u_pos != 0 || texture.v_pos != 0 || texture.angle != 0) return false;
  const bool unscaled =
      (texture.u_scale == 1 && texture.v_scale == 1) || (texture.u_scale == 0 && texture.v_scale == 0);
  return unscaled;
}

// One texture layer on unit k: texture, parameters, coordinate generation,
// coordinates and matrix. Returns whether the layer asks for the alpha test.
bool SetUpLayer(TRenderState& gl, int k, TTexture& texture, int frame, const TSurface& surface,
                bool from_buffers) {
  gl.Unit(k);
  const int flags = texture.flags;
  const GLuint name = texture.GLName(frame);
  gl.Set(TRenderState::kTexture2D, true);
  gl.BindTexture(GL_TEXTURE_2D, name);

  // The driver ignores parameters equal to the texture's own: no state
  // change follows from sending them again.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                  (flags & TTexture::kMipmapped) ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S,
                  (flags & TTexture::kClampU) ? GL_CLAMP_TO_EDGE : GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T,
                  (flags & TTexture::kClampV) ? GL_CLAMP_TO_EDGE : GL_REPEAT);

  const bool sphere = flags & TTexture::kSphereMap;
  const bool cube = flags & TTexture::kCubeMap;
  if (sphere) {
    gl.TexGenMode(0, GL_SPHERE_MAP);
    gl.TexGenMode(1, GL_SPHERE_MAP);
  }
  if (cube) {
    gl.Set(TRenderState::kTextureCube, true);
    gl.BindTexture(GL_TEXTURE_CUBE_MAP, name);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    const GLint mode = texture.cube_mode == 1   ? GL_REFLECTION_MAP
                       : texture.cube_mode == 2 ? GL_NORMAL_MAP
                                                : 0;
    if (mode)
      for (int coord = 0; coord < 3; ++coord) gl.TexGenMode(coord, mode);
  } else {
    gl.Set(TRenderState::kTextureCube, false);
  }
  gl.Set(TRenderState::kGenS, sphere || cube);
  gl.Set(TRenderState::kGenT, sphere || cube);
  gl.Set(TRenderState::kGenR, cube);

  gl.TexEnvBlend(texture.blend);

  gl.Set(TRenderState::kTexCoordArray, true);
  if (from_buffers) {
    gl.BindArrayBuffer(GLuint(surface.vbo_id[texture.coords == 1 ? 2 : 1]));
    glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
  } else {
    const std::vector<float>& coords =
        texture.coords == 1 ? surface.vert_tex_coords1 : surface.vert_tex_coords0;
    glTexCoordPointer(2, GL_FLOAT, 0, coords.data());
  }

  if (IdentityTextureMatrix(texture)) {
    gl.TextureMatrixIdentity();
  } else {
    gl.TextureMatrixChanged();
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
  return flags & TTexture::kMasked;
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
  TRenderState& gl = TRenderState::Pass();
  if (!gl.Active()) {
    // Drawn on its own, outside RenderCamera: a pass of its own leaves GL as
    // RenderCamera's pass would.
    const TRenderPass pass;
    return Update();
  }

  // Meshes with an order are drawn over everything; depth writes follow the
  // surface (off for blended ones).
  gl.Set(TRenderState::kDepthTest, order == 0);

  const int max_units = THardwareInfo::VBOSupport ? std::max(THardwareInfo::MaxTextures, 1) : 1;
  const TBrush& e = *brush;
  for (int index : DrawOrder(*surf_list)) {
    TSurface& surface = *(*surf_list)[size_t(index)];
    TSurface* anim_surface =
        anim != 0 && size_t(index) < anim_surf_list.size() ? anim_surf_list[size_t(index)].get() : nullptr;
    if (surface.no_tris == 0) continue;

    const bool from_buffers = surface.no_tris >= TSurface::kVboMinTris && TGlobal::vbo_enabled != 0;
    if (from_buffers) {
      bool uploaded = PrepareBuffers(surface);
      if (anim_surface && PrepareBuffers(*anim_surface)) uploaded = true;
      if (uploaded) gl.ForgetBuffers();
    } else if (surface.no_tris < TSurface::kVboMinTris) {
      if (surface.vbo_id[0] || (anim_surface && anim_surface->vbo_id[0])) gl.ForgetBuffers();
      surface.FreeVBO();
      if (anim_surface) anim_surface->FreeVBO();
    }

    const TBrush& s = *surface.brush;
    const Material m = Combine(e, s, fade_alpha);

    const bool blended = surface.alpha_enable == 1;
    gl.Set(TRenderState::kBlend, blended);
    gl.DepthMask(!blended);
    SetBlendFunc(gl, m.blend);

    gl.Set(TRenderState::kColorMaterial, (m.fx & kFxVertexColours) != 0);
    gl.ShadeModel((m.fx & kFxFlat) ? GL_FLAT : GL_SMOOTH);
    gl.Set(TRenderState::kFog, gl.FogAtBegin() && !(m.fx & kFxNoFog));
    gl.Set(TRenderState::kCullFace, !(m.fx & kFxNoCull));

    const TSurface& coords = anim_surface ? *anim_surface : surface;
    if (from_buffers) {
      gl.BindArrayBuffer(GLuint(coords.vbo_id[0]));
      glVertexPointer(3, GL_FLOAT, 0, nullptr);
      gl.BindElementBuffer(GLuint(surface.vbo_id[5]));
      gl.BindArrayBuffer(GLuint(surface.vbo_id[3]));
      glNormalPointer(GL_FLOAT, 0, nullptr);
      gl.BindArrayBuffer(GLuint(surface.vbo_id[4]));
      glColorPointer(4, GL_FLOAT, 0, nullptr);
    } else {
      if (THardwareInfo::VBOSupport) {
        gl.BindArrayBuffer(0);
        gl.BindElementBuffer(0);
      }
      glVertexPointer(3, GL_FLOAT, 0, coords.vert_coords.data());
      glColorPointer(4, GL_FLOAT, 0, surface.vert_col.data());
      glNormalPointer(GL_FLOAT, 0, surface.vert_norm.data());
    }

    const bool full_bright = m.fx & kFxFullBright;
    const GLfloat ambient[4] = {full_bright ? 1.0f : TGlobal::ambient_red,
                                full_bright ? 1.0f : TGlobal::ambient_green,
                                full_bright ? 1.0f : TGlobal::ambient_blue, 1.0f};
    gl.LightModelAmbient(ambient);
    const GLfloat colour[4] = {m.red, m.green, m.blue, m.alpha};
    const GLfloat specular[4] = {m.shine, m.shine, m.shine, m.shine};
    gl.Material(colour, specular, 100.0f);

    // Layers beyond the units the implementation has are skipped; units of
    // slots without a texture stay off.
    const int layers = std::min(std::max(e.no_texs, s.no_texs), std::min(max_units, TBrush::kTextureSlots));
    bool alpha_test = false;
    for (int k = 0; k < layers; ++k) {
      const Layer layer = LayerAt(e, s, k);
      if (layer.texture) {
        alpha_test = SetUpLayer(gl, k, *layer.texture, layer.frame, surface, from_buffers);
      } else {
        gl.UnitOff(k);
      }
    }
    gl.UnitsOffFrom(layers);
    gl.Set(TRenderState::kAlphaTest, alpha_test);

    glPushMatrix();
    glMultMatrixf(&DrawMatrix().grid[0][0]);
    glDrawElements(GL_TRIANGLES, surface.no_tris * 3, GL_UNSIGNED_SHORT,
                   from_buffers ? nullptr : surface.tris.data());
    glPopMatrix();
  }
  return 0;
}
