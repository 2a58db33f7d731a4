#include "system/system.h"

#include <cctype>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "system/event.h"
#include "system/sdl_system_driver.h"

namespace {

// Counted by hand and never released at exit: nothing is torn down then.
TSystemDriver* driver = nullptr;
bool busy = false;

// Marks PollSystem/WaitSystem as running for the lifetime of the guard.
class BusyGuard {
 public:
  BusyGuard() { busy = true; }
  ~BusyGuard() { busy = false; }
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;
};

TSystemDriver& D() {
  InitSystem();
  return *driver;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string FormatNow(const char* pattern) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[256];
  const std::size_t length = std::strftime(buffer, sizeof buffer, pattern, &local);
  return std::string(buffer, length);
}

}  // namespace

void InitSystem() {
  if (driver) return;
  InitEvents();
  driver = new TSDLSystemDriver;
  driver->Retain();
}

TSystemDriver* SystemDriver() { return &D(); }

void SetSystemDriver(TSystemDriver* replacement) {
  InitSystem();
  if (!replacement || replacement == driver) return;
  replacement->Retain();
  driver->Release();
  driver = replacement;
}

void PollSystem() {
  if (busy) return;
  TSystemDriver& d = D();
  BusyGuard guard;
  d.Poll();
}

void WaitSystem() {
  if (busy) return;
  TSystemDriver& d = D();
  BusyGuard guard;
  d.Wait();
}

void MoveMouse(int x, int y) { D().MoveMouse(x, y); }
void ShowMouse() { D().SetMouseVisible(1); }
void HideMouse() { D().SetMouseVisible(0); }

void Notify(const std::string& text, int serious) { D().Notify(text, serious); }
int Confirm(const std::string& text, int serious) { return D().Confirm(text, serious); }
int Proceed(const std::string& text, int serious) { return D().Proceed(text, serious); }

std::string RequestFile(const std::string& text, const std::string& extensions, int save,
                        const std::string& path) {
  return D().RequestFile(text, extensions, save, path);
}

std::string RequestDir(const std::string& text, const std::string& path) {
  return D().RequestDir(text, path);
}

int OpenURL(const std::string& url) { return D().OpenURL(NormaliseURL(url)); }

std::string NormaliseURL(const std::string& url) {
  const std::string head = Lower(url.substr(0, 6));
  if (head.starts_with("http:") || head.starts_with("file:") || head == "https:") return url;
  const std::size_t hash = url.find('#');
  const std::string before = url.substr(0, hash);
  const std::string anchor = hash == std::string::npos ? std::string() : url.substr(hash);
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(before, error);
  if (!error && !before.empty() && std::filesystem::exists(absolute, error)) {
    return "file:" + absolute.string() + anchor;
  }
  return "http:" + before + anchor;
}

std::string CurrentDate() { return FormatNow("%d %b %Y"); }
std::string CurrentTime() { return FormatNow("%H:%M:%S"); }
