// Memory banks: resizable blocks of bytes with little-endian peeks and pokes.
//
// A bank owns its buffer, except a static bank (capacity -1), which looks at
// memory someone else owns and never frees it. Peek and poke offsets are not
// checked: the caller keeps offset + width within the size. The bank-to-stream
// and bank-to-bank copies clamp their counts to the bytes present instead.
#pragma once

#include <cstdint>

#include "core/object.h"
#include "media/stream.h"
#include "media/stream_factory.h"

class TBank : public Object {
 public:
  unsigned char* _buf = nullptr;
  int _size = 0;
  int _capacity = 0;  // -1: static, the memory is not the bank's
  int _locked = 0;

  // `size` bytes, contents undefined (a negative size gives an empty bank).
  static Ref<TBank> Create(int size);
  // A bank over memory it does not own.
  static Ref<TBank> CreateStatic(void* buf, int size);

  TBank() = default;
  TBank(const TBank&) = delete;
  TBank& operator=(const TBank&) = delete;
  ~TBank() override;

  unsigned char* Buf() const { return _buf; }
  int Size() const { return _size; }
  int Capacity() const { return _capacity; }
  // A counter only; nothing is enforced.
  unsigned char* Lock();
  void Unlock();

  // Growing past the capacity moves the bytes to a buffer of the larger of
  // capacity * 3 / 2 and `size`; shrinking keeps the buffer. A static bank that
  // grows past its size moves into a buffer of its own (the outside memory is
  // left as it is) and from then on is an ordinary bank.
  void Resize(int size);

  int PeekByte(int offset) const;
  void PokeByte(int offset, int value);
  int PeekShort(int offset) const;
  void PokeShort(int offset, int value);
  int32_t PeekInt(int offset) const;
  void PokeInt(int offset, int32_t value);
  int64_t PeekLong(int offset) const;
  void PokeLong(int offset, int64_t value);
  float PeekFloat(int offset) const;
  void PokeFloat(int offset, float value);
  double PeekDouble(int offset) const;
  void PokeDouble(int offset, double value);

  // One Read (or Write) of up to `count` bytes at `offset`; returns what moved.
  // The count is cut to the bytes of the bank from `offset` on.
  int Read(TStream* stream, int offset, int count);
  int Write(TStream* stream, int offset, int count);
};

Ref<TBank> CreateBank(int size);
Ref<TBank> CreateStaticBank(void* buf, int size);
unsigned char* BankBuf(TBank* bank);
int BankSize(TBank* bank);
int BankCapacity(TBank* bank);
unsigned char* LockBank(TBank* bank);
void UnlockBank(TBank* bank);
void ResizeBank(TBank* bank, int size);
int PeekByte(TBank* bank, int offset);
void PokeByte(TBank* bank, int offset, int value);
int PeekShort(TBank* bank, int offset);
void PokeShort(TBank* bank, int offset, int value);
int32_t PeekInt(TBank* bank, int offset);
void PokeInt(TBank* bank, int offset, int32_t value);
int64_t PeekLong(TBank* bank, int offset);
void PokeLong(TBank* bank, int offset, int64_t value);
float PeekFloat(TBank* bank, int offset);
void PokeFloat(TBank* bank, int offset, float value);
double PeekDouble(TBank* bank, int offset);
void PokeDouble(TBank* bank, int offset, double value);
int ReadBank(TBank* bank, TStream* stream, int offset, int count);
int WriteBank(TBank* bank, TStream* stream, int offset, int count);
// Copies as if through a temporary, so overlapping ranges of one bank are fine.
// The count is cut so that both ranges stay inside their banks.
void CopyBank(TBank* src, int src_offset, TBank* dst, int dst_offset, int count);
// The bytes of the location in a new bank, or null when it cannot be opened.
Ref<TBank> LoadBank(const StreamLocation& url);
// 1 when written, 0 when the location cannot be opened for writing.
int SaveBank(TBank* bank, const StreamLocation& url);

// A stream over a bank. Reads stop at the bank's size; writes past it grow the
// bank.
class TBankStream : public TStream {
 public:
  int _pos = 0;
  Ref<TBank> _bank;

  // A null bank is replaced by a new empty bank.
  static Ref<TBankStream> Create(Ref<TBank> bank);

  int Pos() const override { return _pos; }
  int Size() const override { return _bank->_size; }
  int Seek(int pos) override;
  int Read(void* buf, int count) override;
  int Write(const void* buf, int count) override;
};

Ref<TBankStream> CreateBankStream(Ref<TBank> bank);

// Opens a TBank location as a TBankStream (the read and write flags are
// ignored).
class TBankStreamFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const StreamLocation& url, const std::string& proto, const std::string& path,
                            int readable, int writeable) override;
};
