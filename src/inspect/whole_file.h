#pragma once
// Whole files read into memory: old-edition files are at most a few
// megabytes, and comparing needs both sides at hand.
#include <string>

namespace dorvax::inspect {

// The bytes of a file; a failure is a platform::RunError (53 for a missing
// file, 70 for a file that may not be read, ...).
std::string ReadWholeFile(const std::string& path);

}  // namespace dorvax::inspect
