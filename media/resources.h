// The embedded-resource registry: names mapped to blocks of bytes that live in
// the executable (see core/embedded.h). Entries are registered during start-up,
// before any stream is opened, and never removed; the bytes are never copied:
// "incbin::name" streams read them in place. Names are compared exactly.
#pragma once

#include <span>
#include <string>

// 1 when added; 0 when the name is already present (the first data stays).
int RegisterResource(const std::string& name, const void* data, int length);
int RegisterResource(const std::string& name, std::span<const unsigned char> bytes);

// The registered bytes, or null / 0 when no resource has that name.
const unsigned char* ResourceData(const std::string& name);
int ResourceLength(const std::string& name);
