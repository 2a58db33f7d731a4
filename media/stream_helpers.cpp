#include "media/stream_helpers.h"

#include <strings.h>

#include <algorithm>
#include <climits>
#include <filesystem>

#include "core/text.h"
#include "media/stream_exception.h"

std::vector<unsigned char> LoadByteArray(const StreamLocation& url) {
  Ref<TStream> stream = ReadStream(url);
  if (!stream) throw TStreamReadException();
  std::vector<unsigned char> bytes(1024);
  size_t used = 0;
  // Eof alone is not enough: a stream without a position never reports it.
  while (!stream->Eof()) {
    if (used == bytes.size()) bytes.resize(bytes.size() + bytes.size() / 2);
    const int room = int(std::min<size_t>(bytes.size() - used, INT_MAX));
    const int n = stream->Read(bytes.data() + used, room);
    if (n <= 0) break;
    used += size_t(n);
  }
  stream->Close();
  bytes.resize(used);
  return bytes;
}

void SaveByteArray(const std::vector<unsigned char>& bytes, const StreamLocation& url) {
  Ref<TStream> stream = WriteStream(url);
  if (!stream) throw TStreamWriteException();
  stream->WriteBytes(bytes.data(), int(bytes.size()));
  stream->Close();
}

std::string LoadString(const StreamLocation& url) {
  const std::vector<unsigned char> bytes = LoadByteArray(url);
  return Latin1ToUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void SaveString(const std::string& text, const StreamLocation& url) {
  Ref<TStream> stream = WriteStream(url);
  if (!stream) throw TStreamWriteException();
  const std::string bytes = Utf8ToLatin1(text);
  stream->WriteBytes(bytes.data(), int(bytes.size()));
  stream->Close();
}

Ref<Object> LoadObject(const StreamLocation& url) {
  Ref<TStream> stream = ReadStream(url);
  if (!stream) throw TStreamReadException();
  Ref<Object> object = stream->ReadObject();
  stream->Close();
  return object;
}

void SaveObject(Object* object, const StreamLocation& url) {
  Ref<TStream> stream = WriteStream(url);
  if (!stream) throw TStreamWriteException();
  stream->WriteObject(object);
  stream->Close();
}

void CopyStream(TStream* from, TStream* to, int bufsize) {
  std::vector<unsigned char> buffer(size_t(std::max(bufsize, 1)));
  while (!from->Eof()) {
    const int n = from->Read(buffer.data(), int(buffer.size()));
    if (n <= 0) break;
    to->WriteBytes(buffer.data(), n);
  }
}

void CopyBytes(TStream* from, TStream* to, int count, int bufsize) {
  std::vector<unsigned char> buffer(size_t(std::max(bufsize, 1)));
  for (int left = count; left > 0;) {
    const int n = std::min(left, int(buffer.size()));
    from->ReadBytes(buffer.data(), n);
    to->WriteBytes(buffer.data(), n);
    left -= n;
  }
}

std::string CasedFileName(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(fs::path(path), ec)) return path;
  fs::path result;
  for (const fs::path& part : fs::path(path)) {
    if (part.empty()) continue;  // after a trailing slash
    if (part == "/") {
      result = part;
      continue;
    }
    const fs::path dir = result.empty() ? fs::path(".") : result;
    std::string match;
    if (fs::exists(dir / part, ec)) {
      match = part.string();
    } else {
      for (fs::directory_iterator it(dir, ec), done; !ec && it != done; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (strcasecmp(name.c_str(), part.c_str()) == 0) {
          match = name;
          break;
        }
      }
    }
    if (match.empty()) return "";
    result /= match;
  }
  return result.string();
}
