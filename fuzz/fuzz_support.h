#pragma once
// Small helpers shared by the fuzz targets.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/run_error.h"

namespace fuzzing {

// The input split into lines the way the text reader splits a file
// (CR LF, or a lone CR).
std::vector<std::string_view> SplitLines(std::string_view text);

// Only the numbered errors of the converter may come out of a target; any
// other exception (or a crash) is a finding.
inline void ExpectKnownError(const dorvax::platform::RunError& e) {
  switch (e.number()) {
    case dorvax::platform::kErrOverflow:
    case dorvax::platform::kErrTypeMismatch:
    case dorvax::platform::kErrInputPastEnd: return;
    default: std::abort();
  }
}

// Aborts (a finding) when the condition does not hold.
inline void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace fuzzing
