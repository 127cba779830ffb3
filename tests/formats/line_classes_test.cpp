// The character classes of a data line's first 43 bytes are found sixteen
// bytes at a time where the processor allows it; that must give exactly the
// masks of the byte-by-byte reading, for every byte value in every position
// (the three loads overlap at bytes 27 to 31, and bytes after the 43rd must
// not count).
#include "formats/line_classes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace dorvax {
namespace {

void ExpectSameClasses(const std::string& bytes) {
  LineClasses reference;
  const bool ascii = detail::ClassifyPrefixBytewise(bytes.data(), reference);
  LineClasses fast;
  ASSERT_EQ(ClassifyPrefix(bytes.data(), fast), ascii) << bytes;
  uint64_t digits = 0;
  ASSERT_EQ(ClassifyDigits(bytes.data(), digits), ascii) << bytes;
  if (!ascii) return;
  EXPECT_EQ(fast.digit, reference.digit) << bytes;
  EXPECT_EQ(fast.blank, reference.blank) << bytes;
  EXPECT_EQ(fast.minus, reference.minus) << bytes;
  EXPECT_EQ(digits, reference.digit) << bytes;
  EXPECT_EQ(reference.digit >> kClassifiedBytes, 0u);
}

TEST(LineClasses, EveryByteValueInEveryPositionAsTheByteByByteReading) {
  const std::string base = "01,01,    0,0,03,0,13,0, -8.5,0,0.0,0,  7,1";
  ASSERT_EQ(base.size(), kClassifiedBytes);
  for (std::size_t at = 0; at < kClassifiedBytes; ++at) {
    for (int value = 0; value < 256; ++value) {
      std::string line = base + "9- 9";  // bytes after the 43rd never count
      line[at] = static_cast<char>(value);
      ExpectSameClasses(line);
      if (HasFatalFailure()) return;
    }
  }
}

TEST(LineClasses, RandomLinesOfTheCharactersALineHolds) {
  const std::string alphabet = "0123456789 -,./+\t";
  std::mt19937 rng(3);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> wide(0, 40);
  int asciiLines = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string line(48, ' ');
    for (char& c : line) c = wide(rng) == 0 ? static_cast<char>(0x82) : alphabet[pick(rng)];
    LineClasses reference;
    asciiLines += detail::ClassifyPrefixBytewise(line.data(), reference);
    ExpectSameClasses(line);
    if (HasFatalFailure()) return;
  }
  EXPECT_GT(asciiLines, 100);  // both outcomes were seen
  EXPECT_LT(asciiLines, 19000);
}

}  // namespace
}  // namespace dorvax
