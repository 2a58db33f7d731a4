#include "audio/audio_sample.h"

#include <cstring>
#include <limits>
#include <vector>

#include "audio/audio_errors.h"
#include "core/runtime_error.h"

const int ChannelsPerSample[7] = {0, 1, 1, 1, 2, 2, 2};
const int BytesPerSample[7] = {0, 1, 2, 2, 2, 4, 4};

namespace {

bool ValidFormat(int format) { return format >= 1 && format <= 6; }

void RequireFormat(int format) {
  if (!ValidFormat(format)) throw RuntimeError(kUnimplementedSampleConversion);
}

int16_t LittleShort(const uint8_t* p) { return static_cast<int16_t>(p[0] | p[1] << 8); }
int16_t BigShort(const uint8_t* p) { return static_cast<int16_t>(p[0] << 8 | p[1]); }

void PutLittle(uint8_t* p, int v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void PutBig(uint8_t* p, int v) {
  p[0] = static_cast<uint8_t>(v >> 8);
  p[1] = static_cast<uint8_t>(v);
}

// 8-bit unsigned to 16-bit signed spreads 0..255 over the full range:
// 0 -> -32768, 128 -> 128, 255 -> 32767.
int Widen8(uint8_t v) { return v * 257 - 32768; }
uint8_t Narrow16(int v) { return static_cast<uint8_t>((v + 32768) / 257); }

}  // namespace

TAudioSample::~TAudioSample() {
  if (capacity >= 0) delete[] samples;
}

Ref<TAudioSample> TAudioSample::Create(int length, int hertz, int format) {
  if (!ValidFormat(format) || length < 0) return nullptr;
  const int64_t bytes = int64_t{length} * BytesPerSample[format];
  if (bytes > std::numeric_limits<int>::max()) return nullptr;
  Ref<TAudioSample> s = MakeRef<TAudioSample>();
  s->samples = new uint8_t[bytes > 0 ? bytes : 1];
  s->length = length;
  s->hertz = hertz;
  s->format = format;
  s->capacity = static_cast<int>(bytes);
  return s;
}

Ref<TAudioSample> TAudioSample::CreateStatic(uint8_t* samples, int length, int hertz, int format) {
  if (!ValidFormat(format) || length < 0) return nullptr;
  Ref<TAudioSample> s = MakeRef<TAudioSample>();
  s->samples = samples;
  s->length = length;
  s->hertz = hertz;
  s->format = format;
  s->capacity = -1;
  return s;
}

Ref<TAudioSample> TAudioSample::Copy() const {
  Ref<TAudioSample> s = Create(length, hertz, format);
  if (s) CopySamples(samples, s->samples, format, length);
  return s;
}

Ref<TAudioSample> TAudioSample::Convert(int to_format) const {
  RequireFormat(to_format);
  Ref<TAudioSample> s = Create(length, hertz, to_format);
  if (s) ConvertSamples(samples, format, s->samples, to_format, length);
  return s;
}

void CopySamples(const uint8_t* src, uint8_t* dst, int format, int count) {
  RequireFormat(format);
  if (count > 0) std::memcpy(dst, src, size_t(count) * BytesPerSample[format]);
}

void ConvertSamples(const uint8_t* src, int src_format, uint8_t* dst, int dst_format, int count) {
  if (src_format == dst_format) {
    CopySamples(src, dst, src_format, count);
  } else if (src_format == SF_STDFORMAT) {
    ConvertSamplesFromStdFormat(src, dst, dst_format, count);
  } else if (dst_format == SF_STDFORMAT) {
    ConvertSamplesToStdFormat(src, dst, src_format, count);
  } else {
    RequireFormat(src_format);
    RequireFormat(dst_format);
    if (count <= 0) return;
    std::vector<uint8_t> std_frames(size_t(count) * BytesPerSample[SF_STDFORMAT]);
    ConvertSamplesToStdFormat(src, std_frames.data(), src_format, count);
    ConvertSamplesFromStdFormat(std_frames.data(), dst, dst_format, count);
  }
}

void ConvertSamplesToStdFormat(const uint8_t* src, uint8_t* dst, int format, int count) {
  RequireFormat(format);
  for (int i = 0; i < count; ++i, dst += 4) {
    int l, r;
    switch (format) {
      case SF_MONO8:
        l = r = Widen8(src[0]);
        src += 1;
        break;
      case SF_MONO16LE:
        l = r = LittleShort(src);
        src += 2;
        break;
      case SF_MONO16BE:
        l = r = BigShort(src);
        src += 2;
        break;
      case SF_STEREO8:
        l = Widen8(src[0]);
        r = Widen8(src[1]);
        src += 2;
        break;
      case SF_STEREO16LE:
        l = LittleShort(src);
        r = LittleShort(src + 2);
        src += 4;
        break;
      default:
        l = BigShort(src);
        r = BigShort(src + 2);
        src += 4;
        break;
    }
    PutBig(dst, l);
    PutBig(dst + 2, r);
  }
}

void ConvertSamplesFromStdFormat(const uint8_t* src, uint8_t* dst, int format, int count) {
  RequireFormat(format);
  for (int i = 0; i < count; ++i, src += 4) {
    const int l = BigShort(src), r = BigShort(src + 2);
    const int m = (l + r) / 2;  // truncates toward zero
    switch (format) {
      case SF_MONO8:
        dst[0] = Narrow16(m);
        dst += 1;
        break;
      case SF_MONO16LE:
        PutLittle(dst, m);
        dst += 2;
        break;
      case SF_MONO16BE:
        PutBig(dst, m);
        dst += 2;
        break;
      case SF_STEREO8:
        dst[0] = Narrow16(l);
        dst[1] = Narrow16(r);
        dst += 2;
        break;
      case SF_STEREO16LE:
        PutLittle(dst, l);
        PutLittle(dst + 2, r);
        dst += 4;
        break;
      default:
        PutBig(dst, l);
        PutBig(dst + 2, r);
        dst += 4;
        break;
    }
  }
}
