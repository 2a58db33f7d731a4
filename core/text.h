// Conversions between the system's strings (UTF-8 in std::string) and the
// 8-bit and 16-bit forms some files and streams use. A byte read as text
// becomes the character with that code; a character written as a byte keeps
// its low 8 bits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Each byte becomes the Unicode character with the same code.
std::string Latin1ToUtf8(std::string_view bytes);

// Each character becomes one byte holding the low 8 bits of its code.
std::string Utf8ToLatin1(std::string_view utf8);

// Decodes UTF-8 into code points. Malformed sequences yield U+FFFD for each
// offending byte, so hostile input never reads past the end.
std::vector<char32_t> Utf8ToCodepoints(std::string_view utf8);

void AppendUtf8(std::string& out, char32_t codepoint);
