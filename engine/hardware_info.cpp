#include "engine/hardware_info.h"

#include <GL/glew.h>

#include <fstream>
#include <iostream>

std::string THardwareInfo::Vendor, THardwareInfo::Renderer, THardwareInfo::OGLVersion, THardwareInfo::Extensions;
int THardwareInfo::VBOSupport = 0, THardwareInfo::GLTCSupport = 0, THardwareInfo::S3TCSupport = 0,
    THardwareInfo::AnIsoSupport = 0, THardwareInfo::MultiTexSupport = 0, THardwareInfo::TexBlendSupport = 0,
    THardwareInfo::CubemapSupport = 0, THardwareInfo::DepthmapSupport = 0, THardwareInfo::VPSupport = 0,
    THardwareInfo::FPSupport = 0, THardwareInfo::ShaderSupport = 0, THardwareInfo::VSSupport = 0,
    THardwareInfo::FSSupport = 0, THardwareInfo::SLSupport = 0;
int THardwareInfo::MaxTextures = 0, THardwareInfo::MaxTexSize = 0, THardwareInfo::MaxLights = 0;

namespace {

std::string GLString(GLenum name) {
  const auto* text = reinterpret_cast<const char*>(glGetString(name));
  return text ? text : "";
}

int GLInteger(GLenum name) {
  GLint value = 0;
  glGetIntegerv(name, &value);
  return value;
}

}  // namespace

void THardwareInfo::ParseExtensions(const std::string& extensions) {
  auto has = [&](const char* name) { return extensions.find(name) != std::string::npos ? 1 : 0; };
  VBOSupport = has("GL_ARB_vertex_buffer_object");
  GLTCSupport = has("GL_ARB_texture_compression");
  S3TCSupport = has("GL_EXT_texture_compression_s3tc");
  AnIsoSupport = has("GL_EXT_texture_filter_anisotropic");
  MultiTexSupport = has("GL_ARB_multitexture");
  TexBlendSupport = has("GL_EXT_texture_env_combine");
  if (!TexBlendSupport) TexBlendSupport = has("GL_ARB_texture_env_combine");
  CubemapSupport = has("GL_ARB_texture_cube_map");
  DepthmapSupport = has("GL_ARB_depth_texture");
  VPSupport = has("GL_ARB_vertex_program");
  FPSupport = has("GL_ARB_fragment_program");
  ShaderSupport = has("GL_ARB_shader_objects");
  VSSupport = has("GL_ARB_vertex_shader");
  FSSupport = has("GL_ARB_fragment_shader");
  SLSupport = has("GL_ARB_shading_language_100");
  if (!VSSupport || !FSSupport) ShaderSupport = 0;
}

int THardwareInfo::GetInfo() {
  Vendor = GLString(GL_VENDOR);
  Renderer = GLString(GL_RENDERER);
  OGLVersion = GLString(GL_VERSION);
  Extensions = GLString(GL_EXTENSIONS);
  ParseExtensions(Extensions);
  MaxTextures = GLInteger(GL_MAX_TEXTURE_UNITS);
  MaxTexSize = GLInteger(GL_MAX_TEXTURE_SIZE);
  MaxLights = GLInteger(GL_MAX_LIGHTS);
  return 0;
}

std::vector<std::string> THardwareInfo::ReportLines() {
  std::vector<std::string> lines = {
      "Ostrel Hardwareinfo:",
      "",
      "Vendor:         " + Vendor,
      "Renderer:       " + Renderer,
      "OpenGL-Version: " + OGLVersion,
      "",
      "Max Texture Units: " + std::to_string(MaxTextures),
      "Max Texture Size:  " + std::to_string(MaxTexSize),
      "Max Lights:        " + std::to_string(MaxLights),
      "",
      "OpenGL Extensions:",
  };
  // Each piece that ends at a space is one name; text after the last space
  // is not a complete name and is left out.
  size_t start = 0;
  for (size_t space = Extensions.find(' '); space != std::string::npos; space = Extensions.find(' ', start)) {
    lines.push_back(Extensions.substr(start, space - start));
    start = space + 1;
  }
  lines.push_back("");
  lines.push_back("- Ready -");
  return lines;
}

int THardwareInfo::DisplayInfo(int to_log) {
  const std::vector<std::string> lines = ReportLines();
  if (to_log) {
    std::ofstream log("OstrelLog.txt", std::ios::trunc);
    for (const std::string& line : lines) log << line << '\n';
  } else {
    for (const std::string& line : lines) std::cout << line << '\n';
    std::cout.flush();
  }
  return 0;
}
