#pragma once
// Whole files read into memory: old-edition files are at most a few
// megabytes, and comparing needs both sides at hand.
#include <cstdint>
#include <string>

namespace dorvax::platform {
class RunError;
}

namespace dorvax::inspect {

// The bytes of a file; a failure is a platform::RunError (53 for a missing
// file, 70 for a file that may not be read, ...).
std::string ReadWholeFile(const std::string& path);

// What the tools print after a path that could not be read, in English
// whatever the platform's own description says: "cannot be read:
// permission denied (error 70)".
std::string ReadFailureText(const platform::RunError& error);

}  // namespace dorvax::inspect
