#include "engine/texture.h"

#include <GL/glew.h>

#include <algorithm>
#include <filesystem>

#include "core/runtime_error.h"
#include "engine/engine_errors.h"
#include "engine/texture_filter.h"
#include "graphics/graphics.h"
#include "media/pixmap_loader.h"
#include "media/pixmap_ops.h"
#include "media/stream_factory.h"

namespace {

TTexture::List& Textures() {
  if (!TTexture::tex_list) throw RuntimeError(kEngineNotInitialised);
  return *TTexture::tex_list;
}

bool Opens(const std::string& file) { return bool(ReadStream(file)); }

// The level count after level 0 when every side is halved down to 1.
int MipmapLevels(int width, int height) {
  int levels = 0;
  while (width > 1 || height > 1) {
    width = std::max(1, width / 2);
    height = std::max(1, height / 2);
    ++levels;
  }
  return levels;
}

Ref<TTexture> UseOrMake(TTexture* tex) { return tex ? Ref<TTexture>(tex) : MakeRef<TTexture>(); }

void ListOnce(TTexture* tex) {
  if (!Textures().FindLink(tex)) Textures().AddLast(tex);
}

const GLenum kCubeFaceTargets[6] = {GL_TEXTURE_CUBE_MAP_NEGATIVE_X, GL_TEXTURE_CUBE_MAP_POSITIVE_Z,
                                    GL_TEXTURE_CUBE_MAP_POSITIVE_X, GL_TEXTURE_CUBE_MAP_NEGATIVE_Z,
                                    GL_TEXTURE_CUBE_MAP_POSITIVE_Y, GL_TEXTURE_CUBE_MAP_NEGATIVE_Y};

}  // namespace

void TTexture::CreateList() {
  if (!tex_list) tex_list = new List();
}

int TTexture::Pow2Size(int n) {
  int size = 1;
  while (size < n && size < (1 << 30)) size <<= 1;
  return size;
}

Ref<TPixmap> TTexture::AdjustPixmap(TPixmap* pixmap) {
  const int w = Pow2Size(pixmap->width), h = Pow2Size(pixmap->height);
  if (w == pixmap->width && h == pixmap->height) return pixmap;
  return ResizePixmap(pixmap, w, h);
}

Ref<TPixmap> TTexture::ApplyAlpha(const TPixmap* pixmap) {
  Ref<TPixmap> out = pixmap->Convert(PF_RGBA8888);
  if (!out) return nullptr;
  for (int y = 0; y < out->height; ++y) {
    unsigned char* p = out->PixelPtr(0, y);
    for (int x = 0; x < out->width; ++x, p += 4) p[3] = static_cast<unsigned char>((p[0] + p[1] + p[2]) / 3);
  }
  return out;
}

int TTexture::FileFind(std::string& file) {
  if (Opens(file)) return 1;
  std::string shortened = file.substr(file.rfind('\\') + 1);
  shortened = shortened.substr(shortened.rfind('/') + 1);
  if (Opens(shortened)) {
    file = shortened;
    return 1;
  }
  return 0;
}

std::string TTexture::FileAbs(const std::string& file) {
  std::string out =
      file.find(':') == std::string::npos ? std::filesystem::current_path().string() + "/" + file : file;
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

TTexture* TTexture::TexInList() const {
  for (TTexture* t : Textures()) {
    if (t->file == file && t->flags == flags && t->blend == blend && t->u_scale == u_scale &&
        t->v_scale == v_scale && t->u_pos == u_pos && t->v_pos == v_pos && t->angle == angle)
      return t;
  }
  return nullptr;
}

void TTexture::FilterFlags() { flags |= TTextureFilter::FlagsFor(file); }

Ref<TPixmap> TTexture::LoadConverted() const {
  Ref<TPixmap> picture = LoadPixmap(file);
  if (!picture || picture->width < 1 || picture->height < 1) return nullptr;
  const int format = picture->format;
  const bool has_alpha = format == PF_A8 || format == PF_BGRA8888 || format == PF_RGBA8888;
  if (format != PF_RGBA8888) picture = picture->Convert(PF_RGBA8888);
  if (picture && (flags & kAlpha) && !has_alpha) picture = ApplyAlpha(picture);
  if (picture && (flags & kMasked)) picture = MaskPixmap(picture, 0, 0, 0);
  return picture;
}

Ref<TTexture> TTexture::LoadTexture(const std::string& file, int flags, TTexture* tex) {
  return LoadAnimTexture(file, flags, 0, 0, 0, 1, tex);
}

Ref<TTexture> TTexture::LoadAnimTexture(const std::string& file, int flags, int frame_width, int frame_height,
                                        int first_frame, int frame_count, TTexture* tex) {
  if (flags & kCubeMap) return LoadCubeMapTexture(file, flags, tex);
  Ref<TTexture> t = UseOrMake(tex);
  std::string found = file;
  if (!FileFind(found)) return nullptr;
  t->file = found;
  t->file_abs = FileAbs(found);
  t->flags = flags;
  t->FilterFlags();
  if (TTexture* cached = t->TexInList(); cached && cached != t.get()) return cached;

  // Checked before the texture joins the list, so a failed load leaves no
  // half-made texture in the cache.
  if (frame_count < 1 || first_frame < 0 || frame_width < 0 || frame_height < 0) return nullptr;
  if ((frame_width == 0) != (frame_height == 0)) return nullptr;
  Ref<TPixmap> picture = t->LoadConverted();
  if (!picture) return nullptr;
  if (frame_width == 0) {
    frame_width = picture->width;
    frame_height = picture->height;
  }
  const int per_row = picture->width / frame_width, per_column = picture->height / frame_height;
  if (per_row < 1 || per_column < 1) return nullptr;

  std::vector<Ref<TPixmap>> frames;
  int column = first_frame % per_row;
  int row = (first_frame / per_row) % per_column;
  for (int i = 0; i < frame_count; ++i) {
    Ref<TPixmap> window =
        picture->Window(column * frame_width, row * frame_height, frame_width, frame_height);
    frames.push_back(AdjustPixmap(window));
    if (++column == per_row) {
      column = 0;
      row = (row + 1) % per_column;
    }
  }
  t->pixmap = picture;
  t->SetFrames(std::move(frames));
  ListOnce(t.get());
  return t;
}

Ref<TTexture> TTexture::CreateTexture(int width, int height, int flags, int frames, TTexture* tex) {
  if (flags & kCubeMap) return CreateCubeMapTexture(width, height, flags, tex);
  if (width < 1 || height < 1 || frames < 1 || width > (1 << 30) / frames) return nullptr;
  Ref<TPixmap> picture = TPixmap::Create(width * frames, height, PF_RGBA8888);
  if (!picture) return nullptr;
  picture->ClearPixels(0);
  Ref<TTexture> t = UseOrMake(tex);
  t->pixmap = picture;
  t->flags = flags;
  std::vector<Ref<TPixmap>> windows;
  for (int i = 0; i < frames; ++i)
    windows.push_back(AdjustPixmap(picture->Window(i * width, 0, width, height)));
  t->SetFrames(std::move(windows));
  ListOnce(t.get());
  return t;
}

Ref<TTexture> TTexture::LoadCubeMapTexture(const std::string& file, int flags, TTexture* tex) {
  Ref<TTexture> t = UseOrMake(tex);
  std::string found = file;
  if (!FileFind(found)) return nullptr;
  t->file = found;
  t->file_abs = FileAbs(found);
  t->flags = flags;
  t->FilterFlags();
  if (TTexture* cached = t->TexInList(); cached && cached != t.get()) return cached;
  Ref<TPixmap> picture = t->LoadConverted();
  if (!picture || picture->width < 6) return nullptr;
  const int face = picture->width / 6;
  std::vector<Ref<TPixmap>> faces;
  for (int i = 0; i < 6; ++i)
    faces.push_back(AdjustPixmap(picture->Window(i * face, 0, face, picture->height)));
  t->pixmap = picture;
  t->SetFrames(std::move(faces));
  ListOnce(t.get());
  return t;
}

Ref<TTexture> TTexture::CreateCubeMapTexture(int width, int height, int flags, TTexture* tex) {
  if (width < 1 || height < 1 || width > (1 << 30) / 6) return nullptr;
  Ref<TPixmap> picture = TPixmap::Create(width * 6, height, PF_RGBA8888);
  if (!picture) return nullptr;
  picture->ClearPixels(0);
  Ref<TTexture> t = UseOrMake(tex);
  t->pixmap = picture;
  t->flags = flags;
  std::vector<Ref<TPixmap>> faces;
  for (int i = 0; i < 6; ++i) faces.push_back(AdjustPixmap(picture->Window(i * width, 0, width, height)));
  t->SetFrames(std::move(faces));
  ListOnce(t.get());
  return t;
}

void TTexture::SetFrames(std::vector<Ref<TPixmap>> frames) {
  ForgetNames();
  frame_pixmaps = std::move(frames);
  width = frame_pixmaps[0]->width;
  height = frame_pixmaps[0]->height;
  const bool cube = (flags & kCubeMap) != 0;
  no_frames = cube ? 1 : int(frame_pixmaps.size());
  gltex.assign(no_frames, 0);
  no_mipmaps = (flags & kMipmapped) && !cube ? MipmapLevels(width, height) : 0;
}

void TTexture::ForgetNames() {
  if (gl_seq == GraphicsSeq()) {
    for (int& name : gltex) {
      if (name) glDeleteTextures(1, reinterpret_cast<const GLuint*>(&name));
      name = 0;
    }
  }
  std::fill(gltex.begin(), gltex.end(), 0);
}

void TTexture::UploadLevels(unsigned target, Ref<TPixmap> picture, bool mipmaps) const {
  for (int level = 0;; ++level) {
    glPixelStorei(GL_UNPACK_ROW_LENGTH, picture->pitch / 4);
    glTexImage2D(target, level, GL_RGBA8, picture->width, picture->height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 picture->pixels);
    if (!mipmaps || (picture->width == 1 && picture->height == 1)) break;
    picture = ResizePixmap(picture, std::max(1, picture->width / 2), std::max(1, picture->height / 2));
  }
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

unsigned TTexture::GLName(int frame) {
  if (frame < 0 || frame >= int(gltex.size()) || frame_pixmaps.empty()) return 0;
  if (gl_seq != GraphicsSeq()) {
    // The names belonged to a context that is gone with its textures.
    std::fill(gltex.begin(), gltex.end(), 0);
    gl_seq = GraphicsSeq();
  }
  if (gltex[frame]) return unsigned(gltex[frame]);
  GLuint name = 0;
  glGenTextures(1, &name);
  gltex[frame] = int(name);
  if (flags & kCubeMap) {
    glBindTexture(GL_TEXTURE_CUBE_MAP, name);
    for (int i = 0; i < 6; ++i) UploadLevels(kCubeFaceTargets[i], frame_pixmaps[i], false);
  } else {
    glBindTexture(GL_TEXTURE_2D, name);
    UploadLevels(GL_TEXTURE_2D, frame_pixmaps[frame], (flags & kMipmapped) != 0);
  }
  return name;
}

int TTexture::TextureBlend(int value) {
  blend = value;
  return 0;
}

int TTexture::TextureCoords(int value) {
  coords = value;
  return 0;
}

int TTexture::ScaleTexture(float u, float v) {
  u_scale = 1.0f / u;
  v_scale = 1.0f / v;
  return 0;
}

int TTexture::PositionTexture(float u, float v) {
  u_pos = -u;
  v_pos = -v;
  return 0;
}

int TTexture::RotateTexture(float value) {
  angle = value;
  return 0;
}

int TTexture::MipmapWidth(int level) const {
  return level >= 0 && level <= no_mipmaps ? width / (level + 1) : 0;
}

int TTexture::MipmapHeight(int level) const {
  return level >= 0 && level <= no_mipmaps ? height / (level + 1) : 0;
}

int TTexture::SetCubeFace(int face) {
  cube_face = face;
  return 0;
}

int TTexture::SetCubeMode(int mode) {
  cube_mode = mode;
  return 0;
}

int TTexture::FreeTexture() {
  Ref<TTexture> keep(this);  // the list may hold the last reference
  if (tex_list) tex_list->Remove(this);
  pixmap = nullptr;
  cube_pixmap.clear();
  frame_pixmaps.clear();
  ForgetNames();
  gltex.clear();
  return 0;
}
