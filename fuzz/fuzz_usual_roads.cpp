// The fast roads for the usual data line against the general readings they
// stand in for. Every line of the input is:
// - classified by the vector code and byte by byte, with the same masks;
// - read quietly (values A to D, all five values, value E alone): whatever
//   the quiet reading takes, the raising reading must take too, with the
//   same day, hour and values;
// - reshaped as it stands and with its column 7 (which the reshaping drops)
//   turned into a double-byte character, which sends the same columns down
//   the column-by-column road: both must give the same line or the same
//   error.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "formats/data_line.h"
#include "formats/line_classes.h"
#include "formats/usual_data_line.h"
#include "formats/text_reshape.h"

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
  dorvax::HourValues quiet;
  if (!dorvax::TryReadHourValues(line, withE, quiet)) return;
  dorvax::HourValues raising;
  try {
    raising = dorvax::ReadHourValues(line, withE);
    fuzzing::Require(dorvax::ReadLineDay(line) == quiet.day && dorvax::ReadLineHour(line) == quiet.hour);
  } catch (const dorvax::platform::RunError&) {
    std::abort();  // the quiet road took a line the raising reading refuses
  }
  fuzzing::Require(raising.a == quiet.a && raising.b == quiet.b && raising.c == quiet.c && raising.d == quiet.d);
  fuzzing::Require(!withE || raising.e == quiet.e);
}

void CompareValueE(std::string_view line) {
  dorvax::HourValues quiet;
  if (!dorvax::TryReadValueE(line, quiet)) return;
  try {
    fuzzing::Require(dorvax::ReadValueE(line) == quiet.e);
    fuzzing::Require(dorvax::ReadLineDay(line) == quiet.day && dorvax::ReadLineHour(line) == quiet.hour);
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

void CompareReshapingRoads(std::string_view line) {
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
    CompareReshapingRoads(line);
  }
  return 0;
}
