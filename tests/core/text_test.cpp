#include "core/text.h"

#include <gtest/gtest.h>

namespace {

TEST(Text, Latin1RoundTripsEveryByte) {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += char(i);
  const std::string utf8 = Latin1ToUtf8(bytes);
  EXPECT_EQ(utf8.size(), 128u + 2 * 128u);
  EXPECT_EQ(Utf8ToLatin1(utf8), bytes);
}

TEST(Text, CharactersKeepTheirLowEightBits) {
  EXPECT_EQ(Utf8ToLatin1("\xE2\x82\xAC"), std::string(1, char(0xAC)));  // U+20AC
}

TEST(Text, MalformedUtf8BecomesReplacementCharacters) {
  struct Case {
    std::string in;
    std::vector<char32_t> out;
  } cases[] = {
      {"\xC3", {0xFFFD}},                          // truncated two-byte sequence
      {"\xE2\x82", {0xFFFD, 0xFFFD}},              // truncated three-byte sequence
      {"\xC0\x80", {0xFFFD, 0xFFFD}},              // overlong encoding of NUL
      {"\xED\xA0\x80", {0xFFFD, 0xFFFD, 0xFFFD}},  // surrogate
      {"a\xFF"
       "b",
       {'a', 0xFFFD, 'b'}},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToCodepoints(c.in), c.out) << c.in;
}

}  // namespace
