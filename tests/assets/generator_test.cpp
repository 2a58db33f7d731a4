#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "assets/builtin_fonts.h"
#include "assets/korvane_assets.h"
#include "tests/support/temp_dir.h"

namespace {

const char* const kFiles[] = {"player1.bmp", "player2.bmp",        "wall.bmp",     "hungry.wav",
                              "doing.wav",   "gldrawtextfont.bin", "kelvofont.bin"};

// Runs the generator with the given argument text and returns its exit status.
int RunGenerator(const std::string& arguments) {
  const std::string command = std::string("\"") + KORVANE_ASSETGEN + "\" " + arguments + " 2>/dev/null";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Embedded(const std::string& name) {
  for (const EmbeddedFile& f : KorvaneGameFiles()) {
    if (name == f.name) return std::string(reinterpret_cast<const char*>(f.data), f.size);
  }
  for (const EmbeddedFile& f : {GLDrawTextFontFile(), KelvoFontFile()}) {
    if (name == f.name) return std::string(reinterpret_cast<const char*>(f.data), f.size);
  }
  return "";
}

TEST(Generator, TwoRunsWriteTheSameBytesAsTheBuildEmbedded) {
  TempDir first;
  TempDir second;
  ASSERT_EQ(RunGenerator("\"" + first.path().string() + "\""), 0);
  ASSERT_EQ(RunGenerator("\"" + second.path().string() + "\""), 0);
  for (const char* name : kFiles) {
    SCOPED_TRACE(name);
    const std::string a = ReadWholeFile(first.File(name));
    ASSERT_FALSE(a.empty());
    EXPECT_TRUE(a == ReadWholeFile(second.File(name)));
    EXPECT_TRUE(a == Embedded(name));
  }
}

TEST(Generator, ReportsMisuseAndUnwritableFolders) {
  EXPECT_EQ(RunGenerator(""), 2);
  EXPECT_EQ(RunGenerator("a b"), 2);
  TempDir dir;
  EXPECT_EQ(RunGenerator("\"" + dir.File("missing") + "\""), 1);
}

}  // namespace
