#include "media/bank.h"

#include <gtest/gtest.h>

#include <cstring>

#include "media/media_module.h"
#include "media/ram_stream.h"
#include "media/stream_exception.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(Bank, CreateAndResizeFollowTheGrowthRule) {
  Ref<TBank> bank = CreateBank(10);
  EXPECT_EQ(BankSize(bank), 10);
  EXPECT_EQ(BankCapacity(bank), 10);
  for (int i = 0; i < 10; ++i) PokeByte(bank, i, i);
  ResizeBank(bank, 12);  // 10 * 3 / 2 = 15 beats 12
  EXPECT_EQ(BankSize(bank), 12);
  EXPECT_EQ(BankCapacity(bank), 15);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(PeekByte(bank, i), i);
  unsigned char* buf = BankBuf(bank);
  ResizeBank(bank, 4);  // shrinking keeps the buffer
  EXPECT_EQ(BankBuf(bank), buf);
  EXPECT_EQ(BankCapacity(bank), 15);
  ResizeBank(bank, 40);  // 15 * 3 / 2 = 22 loses to 40
  EXPECT_EQ(BankCapacity(bank), 40);
  EXPECT_EQ(PeekByte(bank, 3), 3);
  EXPECT_EQ(BankSize(CreateBank(-3)), 0);
}

TEST(Bank, PeeksAndPokesAreLittleEndian) {
  Ref<TBank> bank = CreateBank(32);
  PokeInt(bank, 0, 0x01020304);
  EXPECT_EQ(PeekByte(bank, 0), 4);
  EXPECT_EQ(PeekShort(bank, 2), 0x0102);
  PokeShort(bank, 1, 0x1FFFF);  // low 16 bits
  EXPECT_EQ(PeekShort(bank, 1), 0xFFFF);
  PokeByte(bank, 5, 0x1FF);
  EXPECT_EQ(PeekByte(bank, 5), 255);
  PokeLong(bank, 7, -2);  // unaligned offsets are fine
  EXPECT_EQ(PeekLong(bank, 7), -2);
  EXPECT_EQ(PeekInt(bank, 7), -2);
  PokeFloat(bank, 16, 0.25f);
  EXPECT_EQ(PeekFloat(bank, 16), 0.25f);
  EXPECT_EQ(PeekInt(bank, 16), 0x3E800000);
  PokeDouble(bank, 20, 3.0);
  EXPECT_EQ(PeekDouble(bank, 20), 3.0);
}

TEST(Bank, StaticBankLeavesItsMemoryAlone) {
  unsigned char outside[4] = {1, 2, 3, 4};
  {
    Ref<TBank> bank = CreateStaticBank(outside, 4);
    EXPECT_EQ(BankCapacity(bank), -1);
    PokeByte(bank, 0, 9);
    EXPECT_EQ(outside[0], 9);
    ResizeBank(bank, 2);
    EXPECT_EQ(BankBuf(bank), outside);
    ResizeBank(bank, 6);  // moves into memory of its own
    EXPECT_NE(BankBuf(bank), outside);
    EXPECT_EQ(BankCapacity(bank), 6);
    EXPECT_EQ(PeekByte(bank, 1), 2);
    PokeByte(bank, 1, 7);
    EXPECT_EQ(outside[1], 2);
  }  // freeing the bank does not free `outside` (the sanitizer would tell)
  EXPECT_EQ(outside[3], 4);
}

TEST(Bank, LockIsACounter) {
  Ref<TBank> bank = CreateBank(1);
  EXPECT_EQ(LockBank(bank), BankBuf(bank));
  LockBank(bank);
  EXPECT_EQ(bank->_locked, 2);
  UnlockBank(bank);
  EXPECT_EQ(bank->_locked, 1);
}

TEST(Bank, CopiesStayInsideBothBanks) {
  Ref<TBank> a = CreateBank(6);
  for (int i = 0; i < 6; ++i) PokeByte(a, i, i + 1);
  CopyBank(a, 0, a, 2, 4);  // overlapping: as if through a temporary
  EXPECT_EQ(PeekInt(a, 2), 0x04030201);
  Ref<TBank> b = CreateBank(3);
  std::memset(BankBuf(b), 0, 3);
  CopyBank(a, 0, b, 1, 100);  // cut to the 2 bytes left in b
  EXPECT_EQ(PeekByte(b, 0), 0);
  EXPECT_EQ(PeekByte(b, 1), 1);
  EXPECT_EQ(PeekByte(b, 2), 2);
  CopyBank(a, -1, b, 0, 2);  // a bad offset copies nothing
  EXPECT_EQ(PeekByte(b, 0), 0);
}

TEST(Bank, ReadAndWriteBankMakeOneTransfer) {
  unsigned char src[5] = {10, 20, 30, 40, 50};
  Ref<TRamStream> in = CreateRamStream(src, 5, 1, 0);
  Ref<TBank> bank = CreateBank(4);
  EXPECT_EQ(ReadBank(bank, in, 1, 10), 3);  // cut to the bank's 3 bytes from offset 1
  EXPECT_EQ(PeekByte(bank, 1), 10);
  EXPECT_EQ(PeekByte(bank, 3), 30);
  EXPECT_EQ(ReadBank(bank, in, 5, 1), 0);
  unsigned char dst[2] = {0, 0};
  Ref<TRamStream> out = CreateRamStream(dst, 2, 0, 1);
  EXPECT_EQ(WriteBank(bank, out, 1, 3), 2);  // the stream takes only 2
  EXPECT_EQ(dst[1], 20);
}

TEST(BankStream, WritingPastTheEndGrowsTheBank) {
  Ref<TBank> bank = CreateBank(2);
  Ref<TBankStream> s = CreateBankStream(bank);
  s->WriteInt(0x0A0B0C0D);
  EXPECT_EQ(BankSize(bank), 4);
  EXPECT_EQ(s->Size(), 4);
  EXPECT_EQ(PeekInt(bank, 0), 0x0A0B0C0D);
  EXPECT_EQ(s->Seek(10), 4);
  EXPECT_EQ(s->Seek(1), 1);
  EXPECT_EQ(s->ReadByte(), 0x0C);
  s->Seek(4);
  unsigned char b;
  EXPECT_EQ(s->Read(&b, 1), 0);
  EXPECT_THROW(s->ReadByte(), TStreamReadException);
  Ref<TBankStream> fresh = CreateBankStream(nullptr);
  EXPECT_EQ(fresh->Size(), 0);
  fresh->WriteByte(1);
  EXPECT_EQ(BankSize(fresh->_bank), 1);
}

TEST(Bank, LoadAndSaveThroughLocations) {
  InitMedia();
  TempDir dir;
  const std::string path = dir.File("bank.bin");
  EXPECT_FALSE(LoadBank(path));
  Ref<TBank> bank = CreateBank(3000);
  for (int i = 0; i < 3000; ++i) PokeByte(bank, i, i % 251);
  EXPECT_EQ(SaveBank(bank, path), 1);
  EXPECT_EQ(SaveBank(bank, dir.File("no/such/dir")), 0);
  Ref<TBank> back = LoadBank(path);
  ASSERT_TRUE(back);
  ASSERT_EQ(BankSize(back), 3000);
  EXPECT_EQ(std::memcmp(BankBuf(back), BankBuf(bank), 3000), 0);
  Ref<TBank> copy = LoadBank(bank);  // a bank is a location too
  ASSERT_TRUE(copy);
  EXPECT_EQ(BankSize(copy), 3000);
}

}  // namespace
