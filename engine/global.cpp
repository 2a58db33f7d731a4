#include "engine/global.h"

#include <GL/glew.h>

#include "core/core_module.h"
#include "engine/camera.h"
#include "engine/collision_world.h"
#include "engine/engine_lists.h"
#include "engine/entity.h"
#include "engine/hardware_info.h"
#include "engine/light.h"
#include "engine/mesh.h"
#include "engine/render_state.h"
#include "engine/sprite.h"
#include "engine/texture.h"
#include "engine/texture_filter.h"
#include "graphics/gl_drav2d_driver.h"
#include "graphics/gl_overlay.h"
#include "media/bmp_loader.h"
#include "media/png_loader.h"

int TGlobal::width = 0;
int TGlobal::height = 0;
int TGlobal::mode = 0;
int TGlobal::depth = 0;
int TGlobal::rate = 0;
float TGlobal::ambient_red = 0.5f;
float TGlobal::ambient_green = 0.5f;
float TGlobal::ambient_blue = 0.5f;
int TGlobal::vbo_enabled = 0;
int TGlobal::aa = 0;
int TGlobal::ACSIZE = 0;
int TGlobal::jitter = 0;
float TGlobal::j[16][2] = {};

namespace {

// Sub-pixel jitter offsets (x, y) per pass, for each supported pass count.
struct JitterTable {
  int passes;
  double offsets[16][2];
};

const JitterTable kJitterTables[] = {
    {2, {{0.25, 0.75}, {0.75, 0.25}}},
    {3, {{0.503392279, 0.831796706}, {0.780601621, 0.250438094}, {0.226182893, 0.413155347}}},
    {4, {{0.375, 0.25}, {0.125, 0.75}, {0.875, 0.25}, {0.625, 0.75}}},
    {5, {{0.5, 0.5}, {0.3, 0.1}, {0.7, 0.9}, {0.9, 0.3}, {0.1, 0.7}}},
    {6,
     {{46 / 99.0, 46 / 99.0},
      {13 / 99.0, 79 / 99.0},
      {53 / 99.0, 86 / 99.0},
      {86 / 99.0, 53 / 99.0},
      {79 / 99.0, 13 / 99.0},
      {20 / 99.0, 20 / 99.0}}},
    {8,
     {{9 / 16.0, 7 / 16.0},
      {1 / 16.0, 15 / 16.0},
      {5 / 16.0, 11 / 16.0},
      {11 / 16.0, 13 / 16.0},
      {13 / 16.0, 3 / 16.0},
      {15 / 16.0, 9 / 16.0},
      {7 / 16.0, 1 / 16.0},
      {3 / 16.0, 5 / 16.0}}},
    {9,
     {{1 / 2.0, 1 / 2.0},
      {1 / 6.0, 17 / 18.0},
      {1 / 2.0, 1 / 6.0},
      {1 / 2.0, 5 / 6.0},
      {1 / 6.0, 5 / 18.0},
      {5 / 6.0, 7 / 18.0},
      {1 / 6.0, 11 / 18.0},
      {5 / 6.0, 13 / 18.0},
      {5 / 6.0, 1 / 18.0}}},
    {12,
     {{5 / 12.0, 5 / 8.0},
      {11 / 12.0, 7 / 8.0},
      {1 / 4.0, 3 / 8.0},
      {5 / 12.0, 1 / 8.0},
      {3 / 4.0, 1 / 8.0},
      {1 / 12.0, 1 / 8.0},
      {3 / 4.0, 5 / 8.0},
      {1 / 4.0, 7 / 8.0},
      {7 / 12.0, 3 / 8.0},
      {11 / 12.0, 3 / 8.0},
      {1 / 12.0, 5 / 8.0},
      {7 / 12.0, 7 / 8.0}}},
    {16,
     {{3 / 8.0, 7 / 16.0},
      {5 / 8.0, 1 / 16.0},
      {7 / 8.0, 3 / 16.0},
      {1 / 8.0, 1 / 16.0},
      {3 / 8.0, 11 / 16.0},
      {7 / 8.0, 7 / 16.0},
      {5 / 8.0, 9 / 16.0},
      {3 / 8.0, 15 / 16.0},
      {5 / 8.0, 5 / 16.0},
      {1 / 8.0, 9 / 16.0},
      {1 / 8.0, 13 / 16.0},
      {3 / 8.0, 3 / 16.0},
      {7 / 8.0, 15 / 16.0},
      {7 / 8.0, 11 / 16.0},
      {1 / 8.0, 5 / 16.0},
      {5 / 8.0, 13 / 16.0}}},
};

const JitterTable* FindJitterTable(int passes) {
  for (const JitterTable& table : kJitterTables) {
    if (table.passes == passes) return &table;
  }
  return nullptr;
}

// Renders the view of every camera that is not hidden, in cam_list order.
void RenderCameras() {
  if (!TCamera::cam_list) return;  // the engine's lists do not exist yet: no camera
  for (TEntity* camera : *TCamera::cam_list)
    if (!camera->Hidden()) TGlobal::RenderCamera(static_cast<TCamera*>(camera));
}

}  // namespace

TGraphicsRequest TGlobal::GraphicsRequest(int width, int height, int depth, int mode, int rate, int flags) {
  if (flags == -1) flags = GFX_DOUBLE_BUFFER | GFX_DEPTH_BITS | GFX_ACCUM_BITS;
  if (mode == 0 || mode == 1) {
    if (depth == 0) depth = 16;
  } else {
    depth = 0;  // mode 2 and every other mode ask for a window
  }
  return {width, height, depth, rate, flags};
}

int TGlobal::Graphics3D(int width, int height, int depth, int mode, int rate, int flags) {
  const TGraphicsRequest request = GraphicsRequest(width, height, depth, mode, rate, flags);
  TGlobal::width = width;
  TGlobal::height = height;
  TGlobal::depth = request.depth;
  TGlobal::mode = mode;
  TGlobal::rate = rate;
  SetGraphicsDriver(GLDrav2DDriver(), GFX_DOUBLE_BUFFER);
  if (!Graphics(request.width, request.height, request.depth, request.hertz, request.flags)) return 0;
  GraphicsInit();
  return 1;
}

int TGlobal::GraphicsInit() {
  // Every texture loaded from a file is coloured and mipmapped unless the
  // program clears the filters.
  TTextureFilter::TextureFilter("", 9);
  glewInit();
  THardwareInfo::GetInfo();
  vbo_enabled = THardwareInfo::VBOSupport;

  SaveStateFor3D();
  EnableStates();
  Set3DLightingAndDepth();
  return 0;
}

const std::vector<unsigned>& TGlobal::SavedMatrixStacks() {
  // The colour matrix belongs to the imaging subset, which not every
  // implementation has; asking for it there would only raise a GL error.
  static const std::vector<unsigned> with_colour = {GL_MODELVIEW, GL_PROJECTION, GL_TEXTURE, GL_COLOR};
  static const std::vector<unsigned> without_colour = {GL_MODELVIEW, GL_PROJECTION, GL_TEXTURE};
  return THardwareInfo::Extensions.find("GL_ARB_imaging") != std::string::npos ? with_colour : without_colour;
}

void TGlobal::SaveStateFor3D() {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
  for (GLenum stack : SavedMatrixStacks()) {
    glMatrixMode(stack);
    glPushMatrix();
  }
}

void TGlobal::Set3DLightingAndDepth() {
  glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
  glClearDepth(1.0);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glAlphaFunc(GL_GEQUAL, 0.5f);
}

int TGlobal::EnableStates() {
  glEnable(GL_LIGHTING);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_FOG);
  glEnable(GL_CULL_FACE);
  glEnable(GL_SCISSOR_TEST);
  glEnable(GL_NORMALIZE);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  return 0;
}

int TGlobal::AmbientLight(float red, float green, float blue) {
  ambient_red = red / 255.0f;
  ambient_green = green / 255.0f;
  ambient_blue = blue / 255.0f;
  return 0;
}

int TGlobal::Wireframe(int enable) {
  glPolygonMode(GL_FRONT_AND_BACK, enable ? GL_LINE : GL_FILL);
  return 0;
}

int TGlobal::AntiAlias(int samples) {
  if (samples == 0) {
    aa = 0;
    return 0;
  }
  const JitterTable* table = FindJitterTable(samples == 1 ? 2 : samples);
  if (!table) {
    aa = 0;
    ACSIZE = 0;
    return 0;
  }
  aa = 1;
  ACSIZE = table->passes;
  for (int i = 0; i < ACSIZE; ++i) {
    j[i][0] = float(table->offsets[i][0]);
    j[i][1] = float(table->offsets[i][1]);
  }
  return 0;
}

int TGlobal::ClearCollisions() {
  TCollisionPair::list.clear();
  return 0;
}

int TGlobal::Collisions(int src_type, int dest_type, int method, int response) {
  for (const Ref<TCollisionPair>& rule : TCollisionPair::list) {
    if (rule->src_type == src_type && rule->des_type == dest_type) {
      rule->col_method = method;
      rule->response = response;
      return 0;
    }
  }
  Ref<TCollisionPair> rule(new TCollisionPair());
  rule->src_type = src_type;
  rule->des_type = dest_type;
  rule->col_method = method;
  rule->response = response;
  TCollisionPair::list.push_back(rule);
  return 0;
}

int TGlobal::ClearWorld(int entities, int /*brushes: not kept in any list*/, int textures) {
  if (entities) {
    // Freeing a parent frees its children too, so take the first entity each
    // time rather than walking a list that shrinks under the walk.
    while (TEntity* entity = TEntity::entity_list ? TEntity::entity_list->First() : nullptr)
      entity->FreeEntity();
    ClearCollisions();
  }
  if (textures && TTexture::tex_list) {
    while (TTexture* texture = TTexture::tex_list->First()) texture->FreeTexture();
  }
  return 0;
}

int TGlobal::UpdateWorld(float /*anim_speed*/) {
  UpdateCollisions();
  return 0;
}

int TGlobal::RenderWorld() {
  if (aa) return RenderWorldAA();
  RenderCameras();
  return 0;
}

int TGlobal::RenderWorldAA() {
  glClear(GL_ACCUM_BUFFER_BIT);
  for (jitter = 0; jitter < ACSIZE; ++jitter) {
    RenderCameras();
    glAccum(GL_ACCUM, 1.0f / float(ACSIZE));
  }
  jitter = 0;
  glAccum(GL_RETURN, 1.0f);
  glFlush();
  return 0;
}

int TGlobal::RenderCamera(TCamera* camera) {
  camera->Update();
  // Slots go by position in light_list: the first light takes GL_LIGHT0 in
  // every render, whatever was created or freed since the last one.
  TLight::light_no = 0;
  for (TEntity* light : *TLight::light_list) light->Update();

  // Reused from render to render; a nested render (a camera drawn from inside
  // a mesh's drawing) would need its own list, which none does.
  static RenderList render_list;
  render_list.clear();
  for (TEntity* entity : *TEntity::entity_list) {
    auto* mesh = dynamic_cast<TMesh*>(entity);
    if (!mesh || mesh->Hidden() || mesh->brush->alpha == 0) continue;
    mesh->GetBounds();
    if (mesh->brush->fx == 0 && int(camera->EntityInFrustum(mesh)) == 0) continue;
    if (mesh->auto_fade == 1) AutoFade(camera, mesh);
    mesh->alpha_order = mesh->Alpha() ? camera->EntityDistanceSquared(*mesh) : 0;
    RenderListAdd(mesh, render_list);
  }
  UpdateSprites(camera, render_list);
  const TRenderPass pass;
  for (TMesh* mesh : render_list) mesh->Update();
  return 0;
}

int TGlobal::AutoFade(TCamera* camera, TMesh* mesh) {
  const float d = camera->EntityDistance(*mesh);
  if (d <= mesh->fade_near) {
    mesh->fade_alpha = 0;
  } else if (d >= mesh->fade_far) {
    mesh->fade_alpha = 1;
  } else {
    mesh->fade_alpha = (d - mesh->fade_near) / (mesh->fade_far - mesh->fade_near);
  }
  return 0;
}

int TGlobal::RenderListAdd(TMesh* mesh, RenderList& list) {
  const int order = mesh->order;
  size_t at = 0;
  if (order > 0) {
    while (at < list.size() && list[at]->order > order) ++at;
  } else if (order < 0) {
    at = list.size();
    while (at > 0 && list[at - 1]->order < order) --at;
  } else if (mesh->alpha_order > 0) {
    at = list.size();
    while (at > 0) {
      const TMesh* e = list[at - 1];
      // A mesh of positive order also stops the walk, even a blended one
      // nearer than this mesh: positive orders always draw first.
      if (e->order > 0 || (e->order == 0 && (e->alpha_order >= mesh->alpha_order || e->alpha_order == 0)))
        break;
      --at;
    }
  } else {
    while (at < list.size() && list[at]->order > 0) ++at;
  }
  list.insert(list.begin() + ptrdiff_t(at), mesh);
  return 0;
}

int TGlobal::UpdateSprites(TCamera* camera, RenderList& list) {
  for (TMesh* mesh : list)
    if (auto* sprite = dynamic_cast<TSprite*>(mesh)) sprite->UpdateBillboard(*camera);
  return 0;
}

void InitEngine() {
  static bool done = false;
  if (done) return;
  done = true;
  InitCore();
  InitGLDrav2D();
  InitGLOverlay();
  // The picture readers, BMP then PNG: the newest is asked first.
  InitBMPLoader();
  InitPNGLoader();
  InitEngineLists();
}
