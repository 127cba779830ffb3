#pragma once
// Finding the line ends of text held in memory: a line ends at CR LF or at a
// lone CR, a lone LF belongs to its line and the last line needs no end.
// The bytes are looked at in blocks of 64 whatever the lines, so that finding
// one line's end never waits for the line before.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define DORVAX_LINE_ENDS_SSE2 1
#endif

namespace dorvax::platform {

constexpr std::size_t kLineEndBlock = 64;

// The CRs of the 64 bytes at `bytes` as bits, bit i for byte i.
inline uint64_t CrBits(const char* bytes) {
#ifdef DORVAX_LINE_ENDS_SSE2
  const __m128i cr = _mm_set1_epi8('\r');
  auto bits = [&](std::size_t at) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
    return static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr))));
  };
  return bits(0) | bits(16) << 16 | bits(32) << 32 | bits(48) << 48;
#else
  uint64_t found = 0;
  for (std::size_t i = 0; i < kLineEndBlock; ++i) found |= uint64_t{bytes[i] == '\r'} << i;
  return found;
#endif
}

// Calls `line(view)` for every line of the `size` bytes at `data`, in order,
// each view cut to `keepBytes`. The 64 bytes after the last one must be
// readable and the first of them must not be an LF: the last block is looked
// at whole (its CRs past the end are dropped), as is the byte after a CR
// that ends the bytes.
template <typename LineFn>
inline void ForEachLineIn(const char* data, std::size_t size, std::size_t keepBytes, LineFn&& line) {
  std::size_t start = 0;
  for (std::size_t block = 0; block < size; block += kLineEndBlock) {
    uint64_t crs = CrBits(data + block);
    if (size - block < kLineEndBlock) crs &= (uint64_t{1} << (size - block)) - 1;
    for (; crs != 0; crs &= crs - 1) {
      const std::size_t at = block + static_cast<std::size_t>(std::countr_zero(crs));
      const std::size_t length = at - start;
      line(std::string_view(data + start, length < keepBytes ? length : keepBytes));
      start = at + 1 + (data[at + 1] == '\n');
    }
  }
  if (start < size) line(std::string_view(data + start, size - start < keepBytes ? size - start : keepBytes));
}

}  // namespace dorvax::platform
