// TTexture: a texture and its per-texture drawing parameters.
//
// Textures are shared through Ref<TTexture> by brushes and by tex_list, which
// holds every texture loaded or created and not yet freed. Loading converts the
// picture to 32-bit RGBA, applies the alpha and mask flags, cuts it into
// frames and resizes each frame to power-of-two sides. The OpenGL names are
// made on first use (GLName) from those frame pictures, and made again when the
// graphics sequence number shows that the context they lived in is gone; so a
// texture may be loaded before the display opens.
//
// Bad input gives null, never a partial texture: a file that cannot be found or
// decoded, a frame size that is negative, a frame larger than the picture, a
// frame count below 1, or a requested size that is not positive.
#pragma once

#include <string>
#include <vector>

#include "core/object.h"
#include "engine/object_list.h"
#include "media/pixmap.h"

class TTexture : public Object {
 public:
  using List = TList<TTexture>;

  // Flag bits.
  static constexpr int kColour = 1, kAlpha = 2, kMasked = 4, kMipmapped = 8, kClampU = 16, kClampV = 32,
                       kSphereMap = 64, kCubeMap = 128;

  // Every texture loaded or created and not freed. Created by InitEngineLists.
  inline static List* tex_list = nullptr;

  std::string file;
  int flags = 0;
  int blend = 2;
  int coords = 0;
  float u_scale = 1;
  float v_scale = 1;
  float u_pos = 0;
  float v_pos = 0;
  float angle = 0;
  std::string file_abs;
  int width = 0;
  int height = 0;
  Ref<TPixmap> pixmap;  // the whole source picture after conversion
  std::vector<int> gltex = std::vector<int>(1, 0);
  std::vector<Ref<TPixmap>> cube_pixmap = std::vector<Ref<TPixmap>>(7);
  int no_frames = 1;
  int no_mipmaps = 0;
  int cube_face = 0;
  int cube_mode = 1;
  // The power-of-two level-0 picture of each frame (of each face for a cube
  // map), from which GLName uploads.
  std::vector<Ref<TPixmap>> frame_pixmaps;
  int gl_seq = 0;  // GraphicsSeq() the names in gltex were made under

  // LoadAnimTexture(file, flags, 0, 0, 0, 1, tex).
  static Ref<TTexture> LoadTexture(const std::string& file, int flags = 1, TTexture* tex = nullptr);
  // Frames of frame_width x frame_height, left to right then top to bottom,
  // starting at first_frame. Both sizes 0 take the whole picture; exactly one
  // of them 0 gives null. A second load of the same file with the same flags
  // and unchanged drawing parameters returns the first texture.
  static Ref<TTexture> LoadAnimTexture(const std::string& file, int flags, int frame_width, int frame_height,
                                       int first_frame, int frame_count, TTexture* tex = nullptr);
  // A texture of `frames` frames whose pixels are all 0 (transparent black);
  // a new one joins tex_list, a given tex is filled where it is.
  static Ref<TTexture> CreateTexture(int width, int height, int flags = 1, int frames = 1,
                                     TTexture* tex = nullptr);
  // Six square faces side by side: -X, +Z, +X, -Z, +Y, -Y.
  static Ref<TTexture> LoadCubeMapTexture(const std::string& file, int flags, TTexture* tex = nullptr);
  static Ref<TTexture> CreateCubeMapTexture(int width, int height, int flags, TTexture* tex = nullptr);

  int TextureBlend(int blend);
  int TextureCoords(int coords);
  // Stores 1/u and 1/v.
  int ScaleTexture(float u, float v);
  // Stores -u and -v.
  int PositionTexture(float u, float v);
  int RotateTexture(float angle);
  int TextureWidth() const { return width; }
  int TextureHeight() const { return height; }
  std::string TextureName() const { return file_abs; }
  int CountMipmaps() const { return no_mipmaps; }
  // width / (level + 1) for 0 <= level <= no_mipmaps, else 0.
  int MipmapWidth(int level) const;
  int MipmapHeight(int level) const;
  int SetCubeFace(int face);
  int SetCubeMode(int mode);
  // Leaves tex_list, drops the pictures and deletes the GL names.
  int FreeTexture();

  // The GL name of a frame, made and uploaded on first use under the current
  // context (bound to GL_TEXTURE_2D, or GL_TEXTURE_CUBE_MAP for a cube map).
  // 0 for a frame outside 0 .. no_frames - 1 or a freed texture. Needs a
  // current OpenGL context.
  unsigned GLName(int frame);
  // Copies the top-left width x height of the back buffer into a mipmap
  // level of a frame, or of a cube map the face cube_face selects (0 -X,
  // 1 +Z, 2 +X, 3 -Z, 4 -Y, 5 +Y). Nothing happens for a frame outside
  // 0 .. no_frames - 1 or a face outside 0 .. 5. Needs a current OpenGL
  // context.
  int BackBufferToTex(int level = 0, int frame = 0);

  // File-name helpers. FileFind tries the name, then its last path element
  // (after the last "\" and then the last "/"), replacing the name when the
  // short form opens; 0 when neither opens.
  static int FileFind(std::string& file);
  // The current directory + "/" + file when file has no ":"; "\" becomes "/".
  static std::string FileAbs(const std::string& file);
  // The first listed texture with the same file, flags, blend, scale,
  // position and angle, or null.
  TTexture* TexInList() const;
  // ORs in the flags of every filter whose text occurs in `file`.
  void FilterFlags();
  static int Pow2Size(int n);
  static Ref<TPixmap> AdjustPixmap(TPixmap* pixmap);
  // An RGBA copy whose alpha is (R + G + B) / 3.
  static Ref<TPixmap> ApplyAlpha(const TPixmap* pixmap);

  // Creates tex_list; idempotent.
  static void CreateList();

 private:
  // Loads, converts, applies the alpha and mask flags; null when the picture
  // cannot be decoded.
  Ref<TPixmap> LoadConverted() const;
  void SetFrames(std::vector<Ref<TPixmap>> frames);
  void ForgetNames();
  void UploadLevels(unsigned target, Ref<TPixmap> picture, bool mipmaps) const;
};
