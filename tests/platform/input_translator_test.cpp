#include "platform/input_translator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Event ids in the system's numbering, written out here independently.
enum {
  kSuspend = 0x101,
  kResume = 0x102,
  kTerminate = 0x103,
  kOpenFile = 0x104,
  kDown = 0x201,
  kUp = 0x202,
  kChar = 0x203,
  kRepeat = 0x204,
  kMouseDown = 0x401,
  kMouseUp = 0x402,
  kMove = 0x403,
  kWheel = 0x404,
  kEnter = 0x405,
  kLeave = 0x406,
};

struct Seen {
  int id, data, mods, x, y;
  bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Seen& s) {
  return out << "{0x" << std::hex << s.id << std::dec << ", " << s.data << ", " << s.mods << ", " << s.x
             << ", " << s.y << "}";
}

class Recorder : public InputSink {
 public:
  void Input(const InputEvent& e) override {
    seen.push_back({e.id, e.data, e.mods, e.x, e.y});
    paths.push_back(e.path);
  }
  void TimerFired(int handle, int ticks) override { timer_calls += handle + ticks; }
  // Returns what was recorded since the last call.
  std::vector<Seen> Take() { return std::exchange(seen, {}); }

  std::vector<Seen> seen;
  std::vector<std::string> paths;
  int timer_calls = 0;
};

InputArea Window800x600(Uint32) { return {800, 600, false}; }
InputArea FullScreen640x480(Uint32) { return {640, 480, true}; }

SDL_Event Key(Uint32 type, SDL_Scancode scancode, Uint16 mod = 0, Uint8 repeat = 0) {
  SDL_Event e{};
  e.type = type;
  e.key.type = type;
  e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.key.repeat = repeat;
  e.key.keysym.scancode = scancode;
  e.key.keysym.mod = mod;
  return e;
}

SDL_Event Text(const char* utf8) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
  return e;
}

SDL_Event Button(Uint32 type, Uint8 button, int x, int y) {
  SDL_Event e{};
  e.type = type;
  e.button.type = type;
  e.button.button = button;
  e.button.x = x;
  e.button.y = y;
  return e;
}

SDL_Event Motion(int x, int y, Uint32 state = 0) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = x;
  e.motion.y = y;
  e.motion.state = state;
  return e;
}

SDL_Event Wheel(float precise_y, int x, int y, bool flipped = false) {
  SDL_Event e{};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.preciseY = precise_y;
  e.wheel.y = static_cast<Sint32>(precise_y);
  e.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
  e.wheel.mouseX = x;
  e.wheel.mouseY = y;
  return e;
}

SDL_Event WindowEvent(Uint8 event) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = event;
  return e;
}

class Translator : public ::testing::Test {
 protected:
  void Feed(const SDL_Event& e) { translator.Translate(e, sink); }
  InputTranslator translator{Window800x600};
  Recorder sink;
};

TEST_F(Translator, LeftShiftDownAndUp) {
  Feed(Key(SDL_KEYDOWN, SDL_SCANCODE_LSHIFT, KMOD_LSHIFT));
  Feed(Key(SDL_KEYUP, SDL_SCANCODE_LSHIFT, KMOD_NONE));
  EXPECT_EQ(sink.Take(), (std::vector<Seen>{{kDown, 160, 1, 0, 0}, {kUp, 160, 0, 0, 0}}));
}

TEST_F(Translator, ModifierMaskBits) {
  const struct {
    Uint16 sdl;
    int mask;
  } cases[] = {
      {KMOD_NONE, 0},
      {KMOD_RSHIFT, 1},
      {KMOD_LCTRL, 2},
      {KMOD_RCTRL, 2},
      {KMOD_LALT, 4},
      {KMOD_RALT, 4},
      {KMOD_LGUI, 8},
      {KMOD_RGUI, 8},
      {KMOD_LSHIFT | KMOD_RALT, 5},
      {KMOD_CTRL | KMOD_GUI, 10},
      {KMOD_NUM | KMOD_CAPS, 0},
      {KMOD_SHIFT | KMOD_CTRL | KMOD_ALT | KMOD_GUI | KMOD_NUM, 15},
  };
  for (const auto& c : cases) EXPECT_EQ(ModifierMask(c.sdl), c.mask) << c.sdl;
}

TEST_F(Translator, HeldKeyGivesOneDownThenRepeatsEachWithItsCharacter) {
  Feed(Key(SDL_KEYDOWN, SDL_SCANCODE_A));
  Feed(Text("a"));
  Feed(Key(SDL_KEYDOWN, SDL_SCANCODE_A, 0, 1));
  Feed(Text("a"));
  Feed(Key(SDL_KEYDOWN, SDL_SCANCODE_A, 0, 1));
  Feed(Text("a"));
  Feed(Key(SDL_KEYUP, SDL_SCANCODE_A));
  EXPECT_EQ(sink.Take(), (std::vector<Seen>{{kDown, 65, 0, 0, 0},
                                            {kChar, 'a', 0, 0, 0},
                                            {kRepeat, 65, 0, 0, 0},
                                            {kChar, 'a', 0, 0, 0},
                                            {kRepeat, 65, 0, 0, 0},
                                            {kChar, 'a', 0, 0, 0},
                                            {kUp, 65, 0, 0, 0}}));
}

TEST_F(Translator, ModifierKeysDoNotRepeat) {
  Feed(Key(SDL_KEYDOWN, SDL_SCANCODE_RCTRL, KMOD_RCTRL));
  Feed(Key(SDL_KEYDOWN, SDL_SCANCODE_RCTRL, KMOD_RCTRL, 1));
  EXPECT_EQ(sink.Take(), (std::vector<Seen>{{kDown, 163, 2, 0, 0}}));
}

TEST_F(Translator, ControlKeysTypeTheirCharacters) {
  // SDL reports no text for these keys; the typed character comes from the key.
  const struct {
    SDL_Scancode key;
    int code;
    int character;
  } cases[] = {
      {SDL_SCANCODE_BACKSPACE, 8, 8},  {SDL_SCANCODE_TAB, 9, 9},      {SDL_SCANCODE_RETURN, 13, 13},
      {SDL_SCANCODE_KP_ENTER, 13, 13}, {SDL_SCANCODE_ESCAPE, 27, 27},
  };
  for (const auto& c : cases) {
    Feed(Key(SDL_KEYDOWN, c.key));
    Feed(Key(SDL_KEYDOWN, c.key, 0, 1));
    EXPECT_EQ(sink.Take(), (std::vector<Seen>{{kDown, c.code, 0, 0, 0},
                                              {kChar, c.character, 0, 0, 0},
                                              {kRepeat, c.code, 0, 0, 0},
                                              {kChar, c.character, 0, 0, 0}}));
  }
  // Keys without a character type nothing.
  Feed(Key(SDL_KEYDOWN, SDL_SCANCODE_DELETE));
  Feed(Key(SDL_KEYDOWN, SDL_SCANCODE_LEFT));
  EXPECT_EQ(sink.Take(), (std::vector<Seen>{{kDown, 46, 0, 0, 0}, {kDown, 37, 0, 0, 0}}));
}

TEST_F(Translator, UnmappedKeysGiveNoKeyEventButTheirText) {
  Feed(Key(SDL_KEYDOWN, SDL_SCANCODE_NONUSBACKSLASH));
  Feed(Text("<"));
  Feed(Key(SDL_KEYUP, SDL_SCANCODE_NONUSBACKSLASH));
  Feed(Key(SDL_KEYDOWN, SDL_SCANCODE_F13));
  Feed(Key(SDL_KEYDOWN, SDL_SCANCODE_CAPSLOCK, KMOD_CAPS));
  EXPECT_EQ(sink.Take(), (std::vector<Seen>{{kChar, '<', 0, 0, 0}}));
}

TEST_F(Translator, TextGivesOneCharacterPerCodePoint) {
  // "hé€" then a private-use function-key character, which is dropped.
  Feed(Text("h\xC3\xA9\xE2\x82\xAC"));
  Feed(Text("\xEF\x9C\x81"));      // U+F701
  Feed(Text("\xF0\x9F\x98\x80"));  // U+1F600
  EXPECT_EQ(sink.Take(), (std::vector<Seen>{{kChar, 'h', 0, 0, 0},
                                            {kChar, 0xE9, 0, 0, 0},
                                            {kChar, 0x20AC, 0, 0, 0},
                                            {kChar, 0x1F600, 0, 0, 0}}));
}

TEST_F(Translator, ButtonsMapLeftRightAndOthers) {
  const struct {
    Uint8 sdl;
    int button;
  } cases[] = {{SDL_BUTTON_LEFT, 1}, {SDL_BUTTON_RIGHT, 2}, {SDL_BUTTON_MIDDLE, 3}, {SDL_BUTTON_X1, 3}};
  for (const auto& c : cases) {
    Feed(Button(SDL_MOUSEBUTTONDOWN, c.sdl, 100, 200));
    Feed(Button(SDL_MOUSEBUTTONUP, c.sdl, 101, 201));
  }
  std::vector<Seen> seen = sink.Take();
  ASSERT_EQ(seen.size(), 9u);
  EXPECT_EQ(seen[0], (Seen{kEnter, 0, 0, 100, 200}));
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(seen[1 + 2 * i], (Seen{kMouseDown, cases[i].button, 0, 100, 200}));
    EXPECT_EQ(seen[2 + 2 * i], (Seen{kMouseUp, cases[i].button, 0, 101, 201}));
  }
}

TEST_F(Translator, MouseEventsCarryTheModifiersOfTheLastKey) {
  Feed(Key(SDL_KEYDOWN, SDL_SCANCODE_LCTRL, KMOD_LCTRL));
  sink.Take();
  Feed(Motion(5, 6));
  Feed(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 5, 6));
  EXPECT_EQ(sink.Take(),
            (std::vector<Seen>{{kEnter, 0, 2, 5, 6}, {kMove, 0, 2, 5, 6}, {kMouseDown, 1, 2, 5, 6}}));
}

TEST_F(Translator, PressesOutsideAndUncapturedReleasesAreIgnored) {
  Feed(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 800, 10));  // x == width is outside
  Feed(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, -1, 10));
  Feed(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 10, 600));
  Feed(Motion(900, 50));
  Feed(Wheel(1, 900, 50));
  EXPECT_TRUE(sink.Take().empty());
  // An uncaptured release inside still counts.
  Feed(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 799, 599));
  EXPECT_EQ(sink.Take(), (std::vector<Seen>{{kMouseUp, 2, 0, 799, 599}}));
}

TEST_F(Translator, ADragKeepsReportingOutsideUntilRelease) {
  Feed(Motion(10, 10));
  Feed(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 10));
  Feed(Motion(-5, 20, SDL_BUTTON_LMASK));
  Feed(Motion(-30, 700, SDL_BUTTON_LMASK));
  Feed(Wheel(-0.5f, -30, 700));
  Feed(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, -30, 700));
  Feed(Motion(-40, 710));  // plain motion outside: nothing
  EXPECT_EQ(sink.Take(), (std::vector<Seen>{{kEnter, 0, 0, 10, 10},
                                            {kMove, 0, 0, 10, 10},
                                            {kMouseDown, 1, 0, 10, 10},
                                            {kLeave, 0, 0, -5, 20},
                                            {kMove, 1, 0, -5, 20},
                                            {kMove, 1, 0, -30, 700},
                                            {kWheel, -1, 0, -30, 700},
                                            {kMouseUp, 1, 0, -30, 700}}));
}

TEST_F(Translator, DraggedButtonOfMotion) {
  const struct {
    Uint32 state;
    int button;
  } cases[] = {{0, 0},
               {SDL_BUTTON_LMASK, 1},
               {SDL_BUTTON_RMASK, 2},
               {SDL_BUTTON_MMASK, 3},
               {SDL_BUTTON_X2MASK, 3},
               {SDL_BUTTON_LMASK | SDL_BUTTON_RMASK, 1}};
  Feed(Motion(1, 1));
  sink.Take();
  for (const auto& c : cases) {
    Feed(Motion(2, 3, c.state));
    EXPECT_EQ(sink.Take(), (std::vector<Seen>{{kMove, c.button, 0, 2, 3}})) << c.state;
  }
}

TEST_F(Translator, WheelRoundsAwayFromZero) {
  const struct {
    float delta;
    bool flipped;
    int notches;
  } cases[] = {{0.3f, false, 1},   {-0.3f, false, -1}, {1.0f, false, 1}, {2.5f, false, 3},
               {-2.0f, false, -2}, {0.0f, false, 0},   {1.0f, true, -1}, {-0.2f, true, 1}};
  for (const auto& c : cases) {
    Feed(Wheel(c.delta, 30, 40, c.flipped));
    std::vector<Seen> seen = sink.Take();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], (Seen{kWheel, c.notches, 0, 30, 40})) << c.delta;
  }
}

TEST_F(Translator, EnterAndLeaveFollowTheAreaUnderThePointer) {
  Feed(Motion(100, 100));
  Feed(Motion(120, 100));
  Feed(WindowEvent(SDL_WINDOWEVENT_LEAVE));
  Feed(WindowEvent(SDL_WINDOWEVENT_LEAVE));
  Feed(WindowEvent(SDL_WINDOWEVENT_ENTER));
  Feed(Motion(0, 599));
  EXPECT_EQ(sink.Take(), (std::vector<Seen>{{kEnter, 0, 0, 100, 100},
                                            {kMove, 0, 0, 100, 100},
                                            {kMove, 0, 0, 120, 100},
                                            {kLeave, 0, 0, 120, 100},
                                            {kEnter, 0, 0, 0, 599},
                                            {kMove, 0, 0, 0, 599}}));
}

TEST_F(Translator, ApplicationNotifications) {
  Feed(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
  Feed(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
  Feed(WindowEvent(SDL_WINDOWEVENT_CLOSE));
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  Feed(quit);
  Feed(WindowEvent(SDL_WINDOWEVENT_EXPOSED));
  Feed(WindowEvent(SDL_WINDOWEVENT_RESIZED));
  EXPECT_EQ(sink.Take(), (std::vector<Seen>{{kSuspend, 0, 0, 0, 0},
                                            {kResume, 0, 0, 0, 0},
                                            {kTerminate, 0, 0, 0, 0},
                                            {kTerminate, 0, 0, 0, 0}}));
}

TEST_F(Translator, DroppedFileOpens) {
  char path[] = "/home/player/saved game.dat";
  SDL_Event drop{};
  drop.type = SDL_DROPFILE;
  drop.drop.file = path;
  Feed(drop);
  drop.drop.file = nullptr;
  Feed(drop);
  ASSERT_EQ(sink.Take(), (std::vector<Seen>{{kOpenFile, 0, 0, 0, 0}}));
  EXPECT_EQ(sink.paths.back(), path);
}

TEST_F(Translator, UnknownEventsAreIgnored) {
  SDL_Event user{};
  user.type = SDL_USEREVENT;
  Feed(user);
  SDL_Event joy{};
  joy.type = SDL_JOYBUTTONDOWN;
  Feed(joy);
  EXPECT_TRUE(sink.Take().empty());
  EXPECT_EQ(sink.timer_calls, 0);
}

TEST(TranslatorFullScreen, ThePointerIsAlwaysInside) {
  InputTranslator translator(FullScreen640x480);
  Recorder sink;
  translator.Translate(Motion(1000, 900), sink);
  translator.Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1000, 900), sink);
  translator.Translate(Wheel(0.3f, -10, -10), sink);
  EXPECT_EQ(sink.Take(), (std::vector<Seen>{{kEnter, 0, 0, 1000, 900},
                                            {kMove, 0, 0, 1000, 900},
                                            {kMouseDown, 1, 0, 1000, 900},
                                            {kWheel, 1, 0, -10, -10}}));
}

}  // namespace

namespace {

InputArea TwoWindows(Uint32 id) { return id == 1 || id == 2 ? InputArea{100, 100, false} : InputArea{}; }

TEST(TranslatorTwoWindows, MovingBetweenWindowsLeavesOneAndEntersTheOther) {
  InputTranslator translator(TwoWindows);
  Recorder sink;
  SDL_Event in_first = Motion(10, 20);
  in_first.motion.windowID = 1;
  SDL_Event in_second = Motion(30, 40);
  in_second.motion.windowID = 2;
  translator.Translate(in_first, sink);
  translator.Translate(in_second, sink);
  // A late "leave" of the first window changes nothing any more.
  SDL_Event leave_first = WindowEvent(SDL_WINDOWEVENT_LEAVE);
  leave_first.window.windowID = 1;
  translator.Translate(leave_first, sink);
  EXPECT_EQ(sink.Take(), (std::vector<Seen>{{kEnter, 0, 0, 10, 20},
                                            {kMove, 0, 0, 10, 20},
                                            {kLeave, 0, 0, 30, 40},
                                            {kEnter, 0, 0, 30, 40},
                                            {kMove, 0, 0, 30, 40}}));
}

}  // namespace
