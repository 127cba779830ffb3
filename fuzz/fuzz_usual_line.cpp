// The usual data line's fast reading and reshaping against the general
// ones they stand in for. Every line of the input is:
// - classified by the vector code and byte by byte, with the same masks;
// - read fast (values A to D, all five values, value E alone): whatever the
//   fast reading takes, the general reading must take too, with the same
//   day, hour and values;
// - reshaped as it stands and with its column 7 (which the reshaping drops)
//   turned into a double-byte character, which makes the same columns go
//   through the column-by-column reshaping: both must give the same line or
//   the same error.
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/data_line.h"
#include "formats/line_classes.h"
#include "formats/text_reshape.h"
#include "formats/usual_data_line.h"
#include "fuzz_support.h"

namespace {

void CompareClasses(std::string_view line) {
  if (line.size() < dorvax::kClassifiedBytes) return;
  dorvax::LineClasses vector, bytewise;
  const bool ascii = dorvax::ClassifyPrefix(line.data(), vector);
  fuzzing::Require(ascii == dorvax::detail::ClassifyPrefixBytewise(line.data(), bytewise));
  if (!ascii) return;
  fuzzing::Require(vector.digit == bytewise.digit && vector.blank == bytewise.blank && vector.minus == bytewise.minus);
  uint64_t digits = 0;
  fuzzing::Require(dorvax::ClassifyDigits(line.data(), digits) && digits == bytewise.digit);
}

void CompareHourValues(std::string_view line, bool withE) {
  dorvax::HourValues fast;
  if (!dorvax::TryReadHourValues(line, withE, fast)) return;
  dorvax::HourValues general;
  try {
    general = dorvax::ReadHourValues(line, withE);
    fuzzing::Require(dorvax::ReadLineDay(line) == fast.day && dorvax::ReadLineHour(line) == fast.hour);
  } catch (const dorvax::platform::RunError&) {
    std::abort();  // the fast reading took a line the general reading refuses
  }
  fuzzing::Require(general.a == fast.a && general.b == fast.b && general.c == fast.c && general.d == fast.d);
  fuzzing::Require(!withE || general.e == fast.e);
}

void CompareValueE(std::string_view line) {
  dorvax::HourValues fast;
  if (!dorvax::TryReadValueE(line, fast)) return;
  try {
    fuzzing::Require(dorvax::ReadValueE(line) == fast.e);
    fuzzing::Require(dorvax::ReadLineDay(line) == fast.day && dorvax::ReadLineHour(line) == fast.hour);
  } catch (const dorvax::platform::RunError&) {
    std::abort();
  }
}

// The reshaped line with its end, or the number of the error that refused it.
std::string Reshaped(std::string_view line) {
  char out[dorvax::kMaxReshapedLineBytes];
  try {
    return std::string(out, dorvax::WriteReshapedDataLineWithEnd(line, out));
  } catch (const dorvax::platform::RunError& e) {
    fuzzing::ExpectKnownError(e);
    return "error " + std::to_string(e.number());
  }
}

void CompareReshapings(std::string_view line) {
  // Only where the first seven bytes are seven single-byte characters is
  // byte 6 column 7.
  if (line.size() < 7) return;
  for (std::size_t i = 0; i < 7; ++i)
    if (static_cast<unsigned char>(line[i]) >= 0x80) return;
  std::string doubled(line.substr(0, 6));
  doubled += "\x82\x60";  // a full-width letter: one column, two bytes
  doubled += line.substr(7);
  fuzzing::Require(Reshaped(line) == Reshaped(doubled));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  for (std::string_view line : fuzzing::SplitLines(input)) {
    CompareClasses(line);
    CompareHourValues(line, false);
    CompareHourValues(line, true);
    CompareValueE(line);
    CompareReshapings(line);
  }
  return 0;
}
