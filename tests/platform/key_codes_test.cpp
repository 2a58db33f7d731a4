#include "platform/key_codes.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <set>

namespace {

struct Case {
  SDL_Scancode scancode;
  int code;
};

// The key-code numbering, key by key.
constexpr Case kMapped[] = {
    {SDL_SCANCODE_BACKSPACE, 8},
    {SDL_SCANCODE_TAB, 9},
    {SDL_SCANCODE_RETURN, 13},
    {SDL_SCANCODE_KP_ENTER, 13},
    {SDL_SCANCODE_ESCAPE, 27},
    {SDL_SCANCODE_SPACE, 32},
    {SDL_SCANCODE_PAGEUP, 33},
    {SDL_SCANCODE_PAGEDOWN, 34},
    {SDL_SCANCODE_END, 35},
    {SDL_SCANCODE_HOME, 36},
    {SDL_SCANCODE_LEFT, 37},
    {SDL_SCANCODE_UP, 38},
    {SDL_SCANCODE_RIGHT, 39},
    {SDL_SCANCODE_DOWN, 40},
    {SDL_SCANCODE_INSERT, 45},
    {SDL_SCANCODE_HELP, 45},
    {SDL_SCANCODE_DELETE, 46},
    {SDL_SCANCODE_0, 48},
    {SDL_SCANCODE_1, 49},
    {SDL_SCANCODE_5, 53},
    {SDL_SCANCODE_9, 57},
    {SDL_SCANCODE_A, 65},
    {SDL_SCANCODE_M, 77},
    {SDL_SCANCODE_Z, 90},
    {SDL_SCANCODE_LGUI, 91},
    {SDL_SCANCODE_RGUI, 92},
    {SDL_SCANCODE_KP_0, 96},
    {SDL_SCANCODE_KP_1, 97},
    {SDL_SCANCODE_KP_9, 105},
    {SDL_SCANCODE_KP_MULTIPLY, 106},
    {SDL_SCANCODE_KP_PLUS, 107},
    {SDL_SCANCODE_KP_MINUS, 109},
    {SDL_SCANCODE_KP_PERIOD, 110},
    {SDL_SCANCODE_KP_DIVIDE, 111},
    {SDL_SCANCODE_F1, 112},
    {SDL_SCANCODE_F10, 121},
    {SDL_SCANCODE_F12, 123},
    {SDL_SCANCODE_LSHIFT, 160},
    {SDL_SCANCODE_RSHIFT, 161},
    {SDL_SCANCODE_LCTRL, 162},
    {SDL_SCANCODE_RCTRL, 163},
    {SDL_SCANCODE_LALT, 164},
    {SDL_SCANCODE_RALT, 165},
    {SDL_SCANCODE_SEMICOLON, 186},
    {SDL_SCANCODE_EQUALS, 187},
    {SDL_SCANCODE_COMMA, 188},
    {SDL_SCANCODE_MINUS, 189},
    {SDL_SCANCODE_PERIOD, 190},
    {SDL_SCANCODE_SLASH, 191},
    {SDL_SCANCODE_GRAVE, 192},
    {SDL_SCANCODE_LEFTBRACKET, 219},
    {SDL_SCANCODE_RIGHTBRACKET, 221},
    {SDL_SCANCODE_APOSTROPHE, 222},
    {SDL_SCANCODE_BACKSLASH, 226},
    {SDL_SCANCODE_NONUSHASH, 226},
};

TEST(KeyCodes, TableOfMappedKeys) {
  for (const Case& c : kMapped)
    EXPECT_EQ(KeyCodeForScancode(c.scancode), c.code) << SDL_GetScancodeName(c.scancode);
}

TEST(KeyCodes, EveryLetterAndDigitFollowsItsCharacter) {
  for (int i = 0; i < 26; ++i) EXPECT_EQ(KeyCodeForScancode(SDL_SCANCODE_A + i), 'A' + i);
  // SDL numbers the digit row 1..9, 0; the codes are the digits' characters.
  for (int i = 0; i < 9; ++i) EXPECT_EQ(KeyCodeForScancode(SDL_SCANCODE_1 + i), '1' + i);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(KeyCodeForScancode(SDL_SCANCODE_F1 + i), 112 + i);
}

TEST(KeyCodes, KeysOutsideTheTableMapToZero) {
  const SDL_Scancode unmapped[] = {
      SDL_SCANCODE_UNKNOWN,        SDL_SCANCODE_F13,          SDL_SCANCODE_F24,
      SDL_SCANCODE_CAPSLOCK,       SDL_SCANCODE_NUMLOCKCLEAR, SDL_SCANCODE_KP_EQUALS,
      SDL_SCANCODE_NONUSBACKSLASH, SDL_SCANCODE_VOLUMEUP,     SDL_SCANCODE_MUTE,
      SDL_SCANCODE_PRINTSCREEN,    SDL_SCANCODE_APPLICATION,  SDL_SCANCODE_MODE,
  };
  for (SDL_Scancode s : unmapped) EXPECT_EQ(KeyCodeForScancode(s), 0) << SDL_GetScancodeName(s);
  EXPECT_EQ(KeyCodeForScancode(-1), 0);
  EXPECT_EQ(KeyCodeForScancode(SDL_NUM_SCANCODES), 0);
  EXPECT_EQ(KeyCodeForScancode(1 << 30), 0);
}

TEST(KeyCodes, CodesStayBelow256AndFewKeysShareACode) {
  std::multiset<int> codes;
  for (int s = 0; s < SDL_NUM_SCANCODES; ++s) {
    const int code = KeyCodeForScancode(s);
    ASSERT_LT(code, 256);
    if (code) codes.insert(code);
  }
  // 26 letters, 10 digits, 10 keypad digits, 12 function keys and 42 other
  // keys: 6 editing (Backspace, Tab, Return, keypad Enter, Escape, Space),
  // 4 paging, 4 arrows, Insert, Help, Delete, 2 command, 5 keypad operators,
  // 6 shift/control/option, 10 punctuation and the 2 backslash positions.
  EXPECT_EQ(codes.size(), 26u + 10 + 10 + 12 + 42);
  EXPECT_EQ(codes.count(13), 2u);
  EXPECT_EQ(codes.count(45), 2u);
  EXPECT_EQ(codes.count(226), 2u);
  EXPECT_EQ(codes.count(220), 0u);
}

}  // namespace
