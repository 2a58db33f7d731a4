#include "media/bank.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

#include "media/stream_helpers.h"

namespace {

unsigned char* Allocate(int size) {
  auto* p = static_cast<unsigned char*>(std::malloc(size_t(std::max(size, 1))));
  if (!p) throw std::bad_alloc();
  return p;
}

template <class T>
T Peek(const unsigned char* p) {
  T value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

template <class T>
void Poke(unsigned char* p, T value) {
  std::memcpy(p, &value, sizeof value);
}

// How many of `count` bytes from `offset` lie inside `size` bytes.
int ClampCount(int offset, int count, int size) {
  if (offset < 0 || offset > size || count <= 0) return 0;
  return std::min(count, size - offset);
}

}  // namespace

Ref<TBank> TBank::Create(int size) {
  size = std::max(size, 0);
  Ref<TBank> bank = MakeRef<TBank>();
  bank->_buf = Allocate(size);
  bank->_size = bank->_capacity = size;
  return bank;
}

Ref<TBank> TBank::CreateStatic(void* buf, int size) {
  Ref<TBank> bank = MakeRef<TBank>();
  bank->_buf = static_cast<unsigned char*>(buf);
  bank->_size = buf ? std::max(size, 0) : 0;
  bank->_capacity = -1;
  return bank;
}

TBank::~TBank() {
  if (_capacity >= 0) std::free(_buf);
}

unsigned char* TBank::Lock() {
  ++_locked;
  return _buf;
}

void TBank::Unlock() { --_locked; }

void TBank::Resize(int size) {
  size = std::max(size, 0);
  const int room = _capacity < 0 ? _size : _capacity;
  if (size > room) {
    const int64_t grown = _capacity < 0 ? size : std::max<int64_t>(int64_t(_capacity) * 3 / 2, size);
    const int capacity = int(std::min<int64_t>(grown, INT_MAX));
    unsigned char* buf = Allocate(capacity);
    if (_size > 0) std::memcpy(buf, _buf, size_t(_size));
    if (_capacity >= 0) std::free(_buf);
    _buf = buf;
    _capacity = capacity;
  }
  _size = size;
}

int TBank::PeekByte(int offset) const { return _buf[offset]; }
void TBank::PokeByte(int offset, int value) { _buf[offset] = uint8_t(value); }
int TBank::PeekShort(int offset) const { return Peek<uint16_t>(_buf + offset); }
void TBank::PokeShort(int offset, int value) { Poke(_buf + offset, uint16_t(value)); }
int32_t TBank::PeekInt(int offset) const { return Peek<int32_t>(_buf + offset); }
void TBank::PokeInt(int offset, int32_t value) { Poke(_buf + offset, value); }
int64_t TBank::PeekLong(int offset) const { return Peek<int64_t>(_buf + offset); }
void TBank::PokeLong(int offset, int64_t value) { Poke(_buf + offset, value); }
float TBank::PeekFloat(int offset) const { return Peek<float>(_buf + offset); }
void TBank::PokeFloat(int offset, float value) { Poke(_buf + offset, value); }
double TBank::PeekDouble(int offset) const { return Peek<double>(_buf + offset); }
void TBank::PokeDouble(int offset, double value) { Poke(_buf + offset, value); }

int TBank::Read(TStream* stream, int offset, int count) {
  count = ClampCount(offset, count, _size);
  return count > 0 ? stream->Read(_buf + offset, count) : 0;
}

int TBank::Write(TStream* stream, int offset, int count) {
  count = ClampCount(offset, count, _size);
  return count > 0 ? stream->Write(_buf + offset, count) : 0;
}

Ref<TBank> CreateBank(int size) { return TBank::Create(size); }
Ref<TBank> CreateStaticBank(void* buf, int size) { return TBank::CreateStatic(buf, size); }
unsigned char* BankBuf(TBank* bank) { return bank->Buf(); }
int BankSize(TBank* bank) { return bank->Size(); }
int BankCapacity(TBank* bank) { return bank->Capacity(); }
unsigned char* LockBank(TBank* bank) { return bank->Lock(); }
void UnlockBank(TBank* bank) { bank->Unlock(); }
void ResizeBank(TBank* bank, int size) { bank->Resize(size); }
int PeekByte(TBank* bank, int offset) { return bank->PeekByte(offset); }
void PokeByte(TBank* bank, int offset, int value) { bank->PokeByte(offset, value); }
int PeekShort(TBank* bank, int offset) { return bank->PeekShort(offset); }
void PokeShort(TBank* bank, int offset, int value) { bank->PokeShort(offset, value); }
int32_t PeekInt(TBank* bank, int offset) { return bank->PeekInt(offset); }
void PokeInt(TBank* bank, int offset, int32_t value) { bank->PokeInt(offset, value); }
int64_t PeekLong(TBank* bank, int offset) { return bank->PeekLong(offset); }
void PokeLong(TBank* bank, int offset, int64_t value) { bank->PokeLong(offset, value); }
float PeekFloat(TBank* bank, int offset) { return bank->PeekFloat(offset); }
void PokeFloat(TBank* bank, int offset, float value) { bank->PokeFloat(offset, value); }
double PeekDouble(TBank* bank, int offset) { return bank->PeekDouble(offset); }
void PokeDouble(TBank* bank, int offset, double value) { bank->PokeDouble(offset, value); }
int ReadBank(TBank* bank, TStream* stream, int offset, int count) {
  return bank->Read(stream, offset, count);
}
int WriteBank(TBank* bank, TStream* stream, int offset, int count) {
  return bank->Write(stream, offset, count);
}

void CopyBank(TBank* src, int src_offset, TBank* dst, int dst_offset, int count) {
  count = std::min(ClampCount(src_offset, count, src->_size), ClampCount(dst_offset, count, dst->_size));
  if (count > 0) std::memmove(dst->_buf + dst_offset, src->_buf + src_offset, size_t(count));
}

Ref<TBank> LoadBank(const StreamLocation& url) {
  Ref<TStream> stream = ReadStream(url);
  if (!stream) return nullptr;
  const std::vector<unsigned char> bytes = LoadByteArray(stream);
  stream->Close();
  Ref<TBank> bank = TBank::Create(int(bytes.size()));
  if (!bytes.empty()) std::memcpy(bank->_buf, bytes.data(), bytes.size());
  return bank;
}

int SaveBank(TBank* bank, const StreamLocation& url) {
  Ref<TStream> stream = WriteStream(url);
  if (!stream) return 0;
  stream->WriteBytes(bank->_buf, bank->_size);
  stream->Close();
  return 1;
}

Ref<TBankStream> TBankStream::Create(Ref<TBank> bank) {
  Ref<TBankStream> s = MakeRef<TBankStream>();
  s->_bank = bank ? std::move(bank) : TBank::Create(0);
  return s;
}

int TBankStream::Seek(int pos) {
  _pos = std::clamp(pos, 0, _bank->_size);
  return _pos;
}

int TBankStream::Read(void* buf, int count) {
  const int size = _bank->_size;
  if (count <= 0 || _pos >= size) return 0;
  count = std::min(count, size - _pos);
  std::memcpy(buf, _bank->_buf + _pos, size_t(count));
  _pos += count;
  return count;
}

int TBankStream::Write(const void* buf, int count) {
  if (count <= 0 || _pos > _bank->_size) return 0;
  count = std::min(count, INT_MAX - _pos);
  if (count <= 0) return 0;
  if (_pos + count > _bank->_size) _bank->Resize(_pos + count);
  std::memcpy(_bank->_buf + _pos, buf, size_t(count));
  _pos += count;
  return count;
}

Ref<TBankStream> CreateBankStream(Ref<TBank> bank) { return TBankStream::Create(std::move(bank)); }

Ref<TStream> TBankStreamFactory::CreateStream(const StreamLocation& url, const std::string&,
                                              const std::string&, int, int) {
  auto* bank = dynamic_cast<TBank*>(url.object());
  return bank ? TBankStream::Create(Ref<TBank>(bank)) : nullptr;
}
