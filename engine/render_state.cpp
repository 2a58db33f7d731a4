#include "engine/render_state.h"

#include <algorithm>
#include <cstring>

#include "engine/hardware_info.h"

namespace {

constexpr GLenum kCapEnums[TRenderState::kCapCount] = {GL_BLEND,     GL_ALPHA_TEST,     GL_DEPTH_TEST,
                                                       GL_CULL_FACE, GL_COLOR_MATERIAL, GL_FOG};
constexpr GLenum kUnitCapEnums[TRenderState::kUnitCapCount] = {GL_TEXTURE_2D,    GL_TEXTURE_CUBE_MAP,
                                                               GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T,
                                                               GL_TEXTURE_GEN_R, GL_TEXTURE_COORD_ARRAY};
constexpr GLenum kGenCoords[3] = {GL_S, GL_T, GL_R};

// The dot-3 RGB combine function of the texture-env-dot3 extension.
constexpr GLint kCombineDot3Rgb = 0x8740;

void SendTexEnv(int blend) {
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

// Modes 0 and 1 send the same calls, as do every mode outside 0-5.
int EnvKey(int blend) {
  if (blend == 0 || blend == 1) return 1;
  if (blend >= 2 && blend <= 5) return blend;
  return 2;
}

bool Same4(const GLfloat a[4], const GLfloat b[4]) { return std::memcmp(a, b, 4 * sizeof(GLfloat)) == 0; }

}  // namespace

TRenderState& TRenderState::Pass() {
  static TRenderState state;
  return state;
}

void TRenderState::Begin() {
  Forget();
  fog_at_begin_ = glIsEnabled(GL_FOG);
  units_used_ = 0;
  active_ = true;
}

void TRenderState::Forget() {
  std::fill(std::begin(caps_), std::end(caps_), -1);
  depth_mask_ = -1;
  blend_src_ = blend_dst_ = GL_NONE;
  shade_model_ = GL_NONE;
  ambient_known_ = material_known_ = false;
  array_buffer_known_ = element_buffer_known_ = false;
  unit_known_ = false;
  for (UnitState& u : units_) {
    std::fill(std::begin(u.caps), std::end(u.caps), -1);
    u.texture_2d_known = u.texture_cube_known = false;
    std::fill(std::begin(u.gen_mode), std::end(u.gen_mode), -1);
    u.env_blend = -1;
    u.matrix_identity = -1;
  }
  // units_used_ stays: units touched before forgetting still need turning
  // off at End(). Begin() starts it afresh.
}

void TRenderState::End() {
  if (!active_) return;
  for (int k = 0; k < units_used_; ++k) {
    Unit(k);
    TextureMatrixIdentity();
    for (int cap = 0; cap < kUnitCapCount; ++cap) Set(UnitCap(cap), false);
  }
  if (units_used_ > 0) Unit(0);
  Set(kFog, fog_at_begin_);
  active_ = false;
}

void TRenderState::Set(Cap cap, bool on) {
  if (caps_[cap] == int(on)) return;
  caps_[cap] = on;
  if (on) {
    glEnable(kCapEnums[cap]);
  } else {
    glDisable(kCapEnums[cap]);
  }
}

void TRenderState::DepthMask(bool on) {
  if (depth_mask_ == int(on)) return;
  depth_mask_ = on;
  glDepthMask(on ? GL_TRUE : GL_FALSE);
}

void TRenderState::BlendFunc(GLenum src, GLenum dst) {
  if (blend_src_ == src && blend_dst_ == dst) return;
  blend_src_ = src;
  blend_dst_ = dst;
  glBlendFunc(src, dst);
}

void TRenderState::ShadeModel(GLenum mode) {
  if (shade_model_ == mode) return;
  shade_model_ = mode;
  glShadeModel(mode);
}

void TRenderState::LightModelAmbient(const GLfloat rgba[4]) {
  if (ambient_known_ && Same4(ambient_, rgba)) return;
  ambient_known_ = true;
  std::memcpy(ambient_, rgba, sizeof ambient_);
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, rgba);
}

void TRenderState::Material(const GLfloat colour[4], const GLfloat specular[4], GLfloat shininess) {
  const bool known = material_known_;
  material_known_ = true;
  if (!known || !Same4(colour_, colour)) {
    std::memcpy(colour_, colour, sizeof colour_);
    glMaterialfv(GL_FRONT, GL_AMBIENT, colour);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, colour);
  }
  if (!known || !Same4(specular_, specular)) {
    std::memcpy(specular_, specular, sizeof specular_);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
  }
  if (!known || shininess_ != shininess) {
    shininess_ = shininess;
    glMaterialf(GL_FRONT, GL_SHININESS, shininess);
  }
}

void TRenderState::BindArrayBuffer(GLuint name) {
  if (array_buffer_known_ && array_buffer_ == name) return;
  array_buffer_known_ = true;
  array_buffer_ = name;
  glBindBufferARB(GL_ARRAY_BUFFER_ARB, name);
}

void TRenderState::BindElementBuffer(GLuint name) {
  if (element_buffer_known_ && element_buffer_ == name) return;
  element_buffer_known_ = true;
  element_buffer_ = name;
  glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, name);
}

void TRenderState::Unit(int k) {
  units_used_ = std::max(units_used_, k + 1);
  if (unit_known_ && unit_ == k) return;
  unit_known_ = true;
  unit_ = k;
  // Without multitexture only unit 0 exists and there is nothing to select.
  if (!THardwareInfo::VBOSupport) return;
  glActiveTextureARB(GLenum(GL_TEXTURE0_ARB + k));
  glClientActiveTextureARB(GLenum(GL_TEXTURE0_ARB + k));
}

void TRenderState::Set(UnitCap cap, bool on) {
  UnitState& u = units_[unit_];
  if (u.caps[cap] == int(on)) return;
  u.caps[cap] = on;
  SendUnitCap(cap, on);
}

void TRenderState::SendUnitCap(UnitCap cap, bool on) {
  if (cap == kTexCoordArray) {
    if (on) {
      glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    } else {
      glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
  } else if (on) {
    glEnable(kUnitCapEnums[cap]);
  } else {
    glDisable(kUnitCapEnums[cap]);
  }
}

void TRenderState::BindTexture(GLenum target, GLuint name) {
  UnitState& u = units_[unit_];
  const bool cube = target == GL_TEXTURE_CUBE_MAP;
  bool& known = cube ? u.texture_cube_known : u.texture_2d_known;
  GLuint& bound = cube ? u.texture_cube : u.texture_2d;
  if (known && bound == name) return;
  known = true;
  bound = name;
  glBindTexture(target, name);
}

void TRenderState::TexGenMode(int coord, GLint mode) {
  GLint& current = units_[unit_].gen_mode[coord];
  if (current == mode) return;
  current = mode;
  glTexGeni(kGenCoords[coord], GL_TEXTURE_GEN_MODE, mode);
}

void TRenderState::TexEnvBlend(int blend) {
  int& current = units_[unit_].env_blend;
  if (current == EnvKey(blend)) return;
  current = EnvKey(blend);
  SendTexEnv(blend);
}

void TRenderState::TextureMatrixIdentity() {
  signed char& identity = units_[unit_].matrix_identity;
  if (identity == 1) return;
  identity = 1;
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}

void TRenderState::TextureMatrixChanged() { units_[unit_].matrix_identity = 0; }

void TRenderState::UnitOff(int k) {
  if (k >= units_used_) return;  // never switched on in this pass
  const UnitState& u = units_[k];
  if (std::all_of(std::begin(u.caps), std::end(u.caps), [](signed char c) { return c == 0; })) return;
  Unit(k);
  for (int cap = 0; cap < kUnitCapCount; ++cap) Set(UnitCap(cap), false);
}

void TRenderState::UnitsOffFrom(int k) {
  for (int unit = k; unit < units_used_; ++unit) UnitOff(unit);
}
