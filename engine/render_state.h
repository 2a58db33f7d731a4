// The OpenGL state of the mesh pass, remembered so that surfaces drawn one
// after another send only what differs from the surface before.
//
// Every redundant state call still costs: the driver marks state dirty and
// revalidates it at the next draw (with a software rasteriser that means
// re-binning the whole fragment state). Between Begin() and End() every state
// the mesh drawing touches goes through this cache; code that changes GL state
// in between must call Forget(). End() leaves GL as drawing one surface on its
// own does: texture units off with identity texture matrices, unit 0
// selected, fog as the pass found it.
#ifndef OSTREL_ENGINE_RENDER_STATE_H
#define OSTREL_ENGINE_RENDER_STATE_H

#include <GL/glew.h>

class TRenderState {
 public:
  static constexpr int kUnits = 8;

  // The cache of the running pass (RenderCamera's, or one Update's own).
  static TRenderState& Pass();

  void Begin();
  void End();
  bool Active() const { return active_; }
  // Everything is unknown again: the next request of each state is sent.
  void Forget();

  bool FogAtBegin() const { return fog_at_begin_; }

  // Server-side switches that are not per texture unit.
  enum Cap { kBlend, kAlphaTest, kDepthTest, kCullFace, kColorMaterial, kFog, kCapCount };
  void Set(Cap cap, bool on);
  void DepthMask(bool on);
  void BlendFunc(GLenum src, GLenum dst);
  void ShadeModel(GLenum mode);
  void LightModelAmbient(const GLfloat rgba[4]);
  // Front ambient and diffuse colour, specular colour, and shininess.
  void Material(const GLfloat colour[4], const GLfloat specular[4], GLfloat shininess);
  void BindArrayBuffer(GLuint name);
  void BindElementBuffer(GLuint name);
  // Buffers were bound or deleted behind the cache's back.
  void ForgetBuffers() { array_buffer_known_ = element_buffer_known_ = false; }

  // Texture units: Unit() selects one (server and client side); the calls
  // below act on the selected unit and need a Unit() since Begin/Forget.
  enum UnitCap { kTexture2D, kTextureCube, kGenS, kGenT, kGenR, kTexCoordArray, kUnitCapCount };
  void Unit(int k);
  void Set(UnitCap cap, bool on);
  void BindTexture(GLenum target, GLuint name);
  // coord: 0 S, 1 T, 2 R.
  void TexGenMode(int coord, GLint mode);
  // The texture blend mode of a layer (the combiner set-up it stands for).
  void TexEnvBlend(int blend);
  // Texture matrices: identity, or anything else (set by the caller after
  // TextureMatrixChanged()).
  void TextureMatrixIdentity();
  void TextureMatrixChanged();
  // Turns unit k off, or every unit from k up that this pass has used; units
  // already off are not selected.
  void UnitOff(int k);
  void UnitsOffFrom(int k);

 private:
  struct UnitState {
    signed char caps[kUnitCapCount];
    GLuint texture_2d, texture_cube;
    bool texture_2d_known, texture_cube_known;
    GLint gen_mode[3];
    int env_blend;
    signed char matrix_identity;  // -1 unknown
  };
  void SendUnitCap(UnitCap cap, bool on);

  bool active_ = false;
  bool fog_at_begin_ = false;
  signed char caps_[kCapCount];
  signed char depth_mask_;
  GLenum blend_src_, blend_dst_;
  GLenum shade_model_;
  bool ambient_known_, material_known_;
  GLfloat ambient_[4];
  GLfloat colour_[4], specular_[4], shininess_;
  bool array_buffer_known_, element_buffer_known_;
  GLuint array_buffer_, element_buffer_;
  int unit_ = 0;  // the selected unit, when unit_known_
  bool unit_known_;
  int units_used_;  // units below this may have been switched on
  UnitState units_[kUnits];
};

// Begin() of the running pass's cache for the lifetime of the object, End()
// when it goes, however it goes.
class TRenderPass {
 public:
  TRenderPass() { TRenderState::Pass().Begin(); }
  ~TRenderPass() { TRenderState::Pass().End(); }
  TRenderPass(const TRenderPass&) = delete;
  TRenderPass& operator=(const TRenderPass&) = delete;
};

#endif  // OSTREL_ENGINE_RENDER_STATE_H
