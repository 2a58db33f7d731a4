// Whole-stream helpers over OpenStream locations.
#pragma once

#include <string>
#include <vector>

#include "media/stream.h"
#include "media/stream_factory.h"

// Every byte up to the end of the location. Throws TStreamReadException when it
// cannot be opened.
std::vector<unsigned char> LoadByteArray(const StreamLocation& url);
// Throws TStreamWriteException when the location cannot be opened for writing.
void SaveByteArray(const std::vector<unsigned char>& bytes, const StreamLocation& url);
// The bytes as characters 0 ... 255.
std::string LoadString(const StreamLocation& url);
// The low 8 bits of each character, no terminator.
void SaveString(const std::string& text, const StreamLocation& url);
Ref<Object> LoadObject(const StreamLocation& url);
void SaveObject(Object* object, const StreamLocation& url);

// Copies `from` to `to` until `from` reports its end or delivers nothing more.
void CopyStream(TStream* from, TStream* to, int bufsize = 4096);
// Copies exactly `count` bytes; the stream exceptions report a short source or
// destination.
void CopyBytes(TStream* from, TStream* to, int count, int bufsize = 4096);

// `path` unchanged when it exists; else each "/"-separated component replaced by
// the first directory entry that matches it ignoring (ASCII) case; "" when a
// component matches nothing.
std::string CasedFileName(const std::string& path);
