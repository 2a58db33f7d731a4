#include "audio/mixer_sample.h"

#include <bit>
#include <cstring>
#include <limits>

namespace mixwell {

static_assert(std::endian::native == std::endian::little, "the mixer reads 16-bit data in host order");

sample* sample::create(int length, int bits, int channels, int hertz, const void* data, int loop) {
  if ((bits != 8 && bits != 16) || (channels != 1 && channels != 2)) return nullptr;
  if (length <= 0 || hertz <= 0 || !data) return nullptr;
  const int bytes_per_frame = bits / 8 * channels;
  const int64_t data_size = int64_t{length} * bytes_per_frame;
  if (data_size + bytes_per_frame > std::numeric_limits<int>::max()) return nullptr;

  auto* s = new sample;
  s->hertz = hertz;
  s->channels = channels;
  s->bits = bits;
  s->length = length;
  s->bytes_per_frame = bytes_per_frame;
  s->data_size = static_cast<int>(data_size);
  s->loop = loop;
  // Raw storage: 16-bit samples are read through int16_t pointers, which the
  // allocation's alignment allows.
  s->data = static_cast<uint8_t*>(::operator new(size_t(data_size) + bytes_per_frame));
  std::memcpy(s->data, data, size_t(data_size));
  const uint8_t* guard_source = loop ? s->data : s->data + data_size - bytes_per_frame;
  std::memcpy(s->data + data_size, guard_source, size_t(bytes_per_frame));
  return s;
}

sample::~sample() { ::operator delete(data); }

void sample::release() {
  if (--refs == 0) delete this;
}

}  // namespace mixwell
