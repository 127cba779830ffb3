// The text-era line transformations: any line is either reshaped into the
// old edition's widths or refused with error 13, never anything else.
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/text_reshape.h"
#include "fuzz_support.h"
#include "platform/cp932.h"

namespace {
// The title lines are filled with blanks to a width counted in characters.
// A line that ends in a lone lead byte (broken CP932) keeps that byte; the
// first blank behind it then reads as its second byte, so such a line comes
// out one character short when counted again.
std::size_t WidthAfterPadding(std::string_view input, std::size_t width) {
  using dorvax::platform::cp932::CharCount;
  bool brokenEnd = !input.empty() && dorvax::platform::cp932::IsLeadByte(static_cast<unsigned char>(input.back())) &&
                   CharCount(input) == CharCount(input.substr(0, input.size() - 1)) + 1;
  return brokenEnd ? width - 1 : width;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  auto lines = fuzzing::SplitLines(input);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string line(lines[i]);
    if (i == 0) {
      dorvax::StripFlagHeaders(line);
      fuzzing::Require(dorvax::platform::cp932::CharCount(line) >= WidthAfterPadding(lines[i], 98));
    } else if (i == 1) {
      dorvax::CollapseEmptyHeaders(line);
      fuzzing::Require(dorvax::platform::cp932::CharCount(line) >= WidthAfterPadding(lines[i], 39));
    } else {
      try {
        char reshaped[dorvax::kMaxReshapedLineBytes];
        std::string_view written(reshaped, dorvax::WriteReshapedDataLineWithEnd(lines[i], reshaped) - reshaped);
        fuzzing::Require(written.ends_with("\r\n") && dorvax::platform::cp932::CharCount(written) <= 31);
      } catch (const dorvax::platform::RunError& e) {
        fuzzing::ExpectKnownError(e);
      }
    }
  }
  return 0;
}
