// The numeric reading of text: any input either gives a number inside the
// target range or raises error 13 / 6, and the throwing and non-throwing
// forms agree.
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "platform/numeric_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // The first byte chooses the target: 16-bit, 32-bit or a narrow range.
  int mode = data[0] % 3;
  std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  int32_t min = mode == 0 ? INT16_MIN : mode == 1 ? INT32_MIN : 1;
  int32_t max = mode == 0 ? INT16_MAX : mode == 1 ? INT32_MAX : 1000;
  auto quiet = dorvax::platform::TryReadInteger(text, min, max);
  try {
    int32_t value = dorvax::platform::ReadInteger(text, min, max);
    fuzzing::Require(quiet.has_value() && *quiet == value);
    fuzzing::Require(value >= min && value <= max);
  } catch (const dorvax::platform::RunError& e) {
    fuzzing::ExpectKnownError(e);
    fuzzing::Require(!quiet.has_value());
  }
  return 0;
}
