// What the OpenGL implementation offers, probed each time the display opens.
#pragma once

#include <string>
#include <vector>

class THardwareInfo {
public:
  static std::string Vendor, Renderer, OGLVersion, Extensions;
  static int VBOSupport, GLTCSupport, S3TCSupport, AnIsoSupport, MultiTexSupport, TexBlendSupport,
      CubemapSupport, DepthmapSupport, VPSupport, FPSupport, ShaderSupport, VSSupport, FSSupport, SLSupport;
  static int MaxTextures, MaxTexSize, MaxLights;

  // Reads the strings and limits of the current context.
  static int GetInfo();
  // Sets the support flags from an extension string (substring search).
  static void ParseExtensions(const std::string& extensions);
  // The report, one line per element: to "OstrelLog.txt" in the current folder
  // when to_log is non-zero, else to standard output.
  static int DisplayInfo(int to_log = 0);
  static std::vector<std::string> ReportLines();
};
