#include "media/media_module.h"

#include "media/bank.h"
#include "media/endian_stream.h"
#include "media/ram_stream.h"

void InitMedia() {
  static bool done = false;
  if (done) return;
  done = true;
  // Each factory joins the chain as it is made and stays for the whole run.
  new TRamStreamFactory;
  new TBankStreamFactory;
  new TXEndianStreamFactory;
}
