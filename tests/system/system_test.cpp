#include "system/system.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>

#include "scripted_driver.h"
#include "system/event_queue.h"
#include "system/hook.h"
#include "tests/support/temp_dir.h"

namespace {

class NestedPoller : public ScriptedDriver {
 public:
  void Poll() override {
    ++polls;
    // A nested call of either must return without reaching the driver.
    PollSystem();
    WaitSystem();
  }
  void Wait() override {
    ++waits;
    PollSystem();
  }
};

TEST(System, PollAndWaitAreGuardedAgainstReentry) {
  InitSystem();
  auto* driver = new NestedPoller;
  SetSystemDriver(driver);
  PollSystem();
  WaitSystem();
  EXPECT_EQ(driver->polls, 1);
  EXPECT_EQ(driver->waits, 1);
  // The guard is released afterwards.
  PollSystem();
  EXPECT_EQ(driver->polls, 2);
}

class ThrowingDriver : public ScriptedDriver {
 public:
  void Poll() override {
    ++polls;
    throw std::runtime_error("poll failed");
  }
};

TEST(System, AnExceptionReleasesTheGuard) {
  InitSystem();
  auto* driver = new ThrowingDriver;
  SetSystemDriver(driver);
  EXPECT_THROW(PollSystem(), std::runtime_error);
  EXPECT_THROW(PollSystem(), std::runtime_error);
  EXPECT_EQ(driver->polls, 2);
}

TEST(System, PointerCallsForwardToTheDriver) {
  InitEventQueue();
  ScriptedDriver* driver = ScriptedDriver::Install();
  HideMouse();
  EXPECT_EQ(driver->mouse_visible, 0);
  ShowMouse();
  EXPECT_EQ(driver->mouse_visible, 1);
  MoveMouse(12, 34);
  ASSERT_EQ(PollEvent(), EVENT_MOUSE_MOVE);
  EXPECT_EQ(EventX(), 12);
  EXPECT_EQ(EventY(), 34);
  EXPECT_EQ(EventData(), 0);
}

TEST(System, UrlsWithASchemePassUnchanged) {
  const char* kept[] = {"http://example.org/a#b", "HTTPS://example.org", "https:x", "File:///etc/hosts",
                        "http:"};
  for (const char* url : kept) EXPECT_EQ(NormaliseURL(url), url);
}

TEST(System, PathsBecomeFileUrlsWhenTheyExist) {
  TempDir dir;
  const std::filesystem::path file = dir.path() / "page one.html";
  std::FILE* f = std::fopen(file.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_EQ(NormaliseURL(file.string()), "file:" + file.string());
  EXPECT_EQ(NormaliseURL(file.string() + "#intro"), "file:" + file.string() + "#intro");
  EXPECT_EQ(NormaliseURL(dir.path().string()), "file:" + dir.path().string());
  // Relative paths are made absolute against the working folder.
  const std::filesystem::path old = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  EXPECT_EQ(NormaliseURL("page one.html#top"), "file:" + file.string() + "#top");
  std::filesystem::current_path(old);
}

TEST(System, OtherTextBecomesAnHttpUrl) {
  EXPECT_EQ(NormaliseURL("www.example.org/no-such-file-here"), "http:www.example.org/no-such-file-here");
  EXPECT_EQ(NormaliseURL("example.org/a#part"), "http:example.org/a#part");
  EXPECT_EQ(NormaliseURL("htt"), "http:htt");
  EXPECT_EQ(NormaliseURL(""), "http:");
  EXPECT_EQ(NormaliseURL("#only"), "http:#only");
}

TEST(System, OpenUrlHandsTheNormalisedUrlToTheDriver) {
  InitSystem();
  ScriptedDriver* driver = ScriptedDriver::Install();
  EXPECT_EQ(OpenURL("no-such-thing.example#x"), 1);
  EXPECT_EQ(driver->opened, "http:no-such-thing.example#x");
}

// '9' stands for a digit, 'A' for a capital and 'a' for a small letter; other
// characters stand for themselves.
bool Matches(const std::string& text, const std::string& shape) {
  if (text.size() != shape.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool ok = shape[i] == '9'   ? c >= '0' && c <= '9'
                    : shape[i] == 'A' ? c >= 'A' && c <= 'Z'
                    : shape[i] == 'a' ? c >= 'a' && c <= 'z'
                                      : c == shape[i];
    if (!ok) return false;
  }
  return true;
}

TEST(System, DateAndTimeFollowTheirPatterns) {
  // "dd Mon yyyy" and "hh:mm:ss", position by position.
  EXPECT_TRUE(Matches(CurrentDate(), "99 Aaa 9999")) << CurrentDate();
  EXPECT_TRUE(Matches(CurrentTime(), "99:99:99")) << CurrentTime();
  // The year matches the clock's.
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  EXPECT_EQ(CurrentDate().substr(7), std::to_string(local.tm_year + 1900));
}

}  // namespace
