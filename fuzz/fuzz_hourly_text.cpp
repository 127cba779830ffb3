// The text-era line transformations: any line is either reshaped into the
// old edition's widths or refused with error 13, never anything else.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "hourly/text_reshape.h"
#include "platform/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  auto lines = fuzzing::SplitLines(input);
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string line(lines[i]);
    if (i == 0) {
      dorvax::StripFlagHeaders(line);
      fuzzing::Require(platform::cp932::CharCount(line) >= 98);
    } else if (i == 1) {
      dorvax::CollapseEmptyHeaders(line);
      fuzzing::Require(platform::cp932::CharCount(line) >= 39);
    } else {
      try {
        dorvax::ReshapeDataLineInto(lines[i], out);
        fuzzing::Require(platform::cp932::CharCount(out) <= 29);
        dorvax::ReshapeDataLine(line);
        fuzzing::Require(line == out);
      } catch (const platform::RunError& e) {
        fuzzing::ExpectKnownError(e);
      }
    }
  }
  return 0;
}
