#pragma once
// Where the new edition's hourly files lie below a source folder.
#include <string>

#include "platform/native_path.h"

namespace dorvax {

// The hourly tree "dorvax\hourly\" below `folder`, with a separator put in
// between when `folder` does not end with one.
inline std::string HourlyTreeOf(const std::string& folder) {
  const std::string sep = platform::Sep();
  const bool separated = folder.empty() || platform::EndsWithSeparator(folder);
  return (separated ? folder : folder + sep) + "dorvax" + sep + "hourly" + sep;
}

}  // namespace dorvax
