// Small deterministic random source. std:: distributions are not used anywhere in
// the generator because their output differs between standard libraries, and the
// same seed must give the same bytes on every platform.
#pragma once

#include <cstdint>

namespace treegen {

class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

  // Uniform in [0, n); n must be > 0. The modulo bias is irrelevant for test data.
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }

  // Uniform in [lo, hi].
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }

  // True with probability p. p <= 0 draws nothing, so switching a knob off does
  // not disturb the rest of the stream.
  bool Chance(double p) {
    if (p <= 0.0) return false;
    const double unit = static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0);
    return unit < p;
  }

 private:
  std::uint64_t state_;
};

// Derives an independent stream seed from a base seed and two labels, so each
// month and each file draws from its own stream regardless of generation order.
inline std::uint64_t DeriveSeed(std::uint64_t seed, std::uint64_t a, std::uint64_t b) {
  SplitMix64 mix(seed ^ (a * 0xD6E8FEB86659FD93ULL) ^ (b * 0xA0761D6478BD642FULL));
  mix.Next();
  return mix.Next();
}

}  // namespace treegen
