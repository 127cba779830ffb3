#pragma once
// The error number an action raises, or 0 when it raises none.
#include <cstdint>
#include <functional>

#include "platform/run_error.h"

namespace dorvax::testing {

inline int32_t ErrorNumberOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const platform::RunError& e) {
    return e.number();
  }
  return 0;
}

}  // namespace dorvax::testing
