#include "platform/dialogs.h"

#include <SDL2/SDL.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace {

// Runs the program with the arguments (no shell involved) and returns what it
// printed, without the final line break; "" when it fails or exits non-zero.
std::string RunForOutput(const std::vector<std::string>& args) {
  int fds[2];
  if (pipe(fds) != 0) return "";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addclose(&actions, fds[1]);
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  std::string output;
  if (spawned == 0) {
    char buffer[4096];
    for (;;) {
      const ssize_t n = read(fds[0], buffer, sizeof buffer);
      if (n > 0) {
        output.append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        break;
      }
    }
  }
  close(fds[0]);
  if (spawned != 0) return "";
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "";
  while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
  return output;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

// "Images:png,jpg;Text:txt" as the chooser's filters "Images | *.png *.jpg".
void AddFilters(std::vector<std::string>& args, const std::string& extensions) {
  if (extensions.empty()) return;
  for (const std::string& group : Split(extensions, ';')) {
    const std::size_t colon = group.find(':');
    const std::string list = colon == std::string::npos ? group : group.substr(colon + 1);
    std::string patterns;
    for (const std::string& extension : Split(list, ',')) {
      if (extension.empty()) continue;
      if (!patterns.empty()) patterns += ' ';
      patterns += extension == "*" ? "*" : "*." + extension;
    }
    if (patterns.empty()) continue;
    const std::string name = colon == std::string::npos ? patterns : group.substr(0, colon);
    args.push_back("--file-filter=" + name + " | " + patterns);
  }
  args.push_back("--file-filter=All files | *");
}

}  // namespace

int PlatformMessageBox(const std::string& title, const std::string& text,
                       const std::vector<std::string>& buttons, bool serious) {
  std::vector<SDL_MessageBoxButtonData> data;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    Uint32 flags = 0;
    if (i == 0) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (i + 1 == buttons.size()) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    data.push_back({flags, static_cast<int>(i), buttons[i].c_str()});
  }
  SDL_MessageBoxData box{};
  box.flags = serious ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  box.window = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GL_GetCurrentWindow() : nullptr;
  box.title = title.c_str();
  box.message = text.c_str();
  box.numbuttons = static_cast<int>(data.size());
  box.buttons = data.data();
  int chosen = -1;
  if (SDL_ShowMessageBox(&box, &chosen) != 0) return -1;
  return chosen;
}

std::string PlatformChooseFile(const std::string& title, const std::string& extensions, bool save,
                               const std::string& path) {
  std::vector<std::string> args = {"zenity", "--file-selection", "--title=" + title};
  if (save) {
    args.push_back("--save");
    args.push_back("--confirm-overwrite");
  }
  if (!path.empty()) args.push_back("--filename=" + path);
  AddFilters(args, extensions);
  return RunForOutput(args);
}

std::string PlatformChooseFolder(const std::string& title, const std::string& path) {
  std::vector<std::string> args = {"zenity", "--file-selection", "--directory", "--title=" + title};
  if (!path.empty()) args.push_back("--filename=" + path);
  return RunForOutput(args);
}

bool PlatformOpenURL(const std::string& url) { return SDL_OpenURL(url.c_str()) == 0; }
