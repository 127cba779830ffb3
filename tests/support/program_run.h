#pragma once
// A built program run as a process, its output streams captured.
#include <string>
#include <vector>

namespace dorvax::testing {

struct ProgramResult {
  int code = -1;  // the exit status, or -1 when the program did not exit
  std::string out;
  std::string err;
};

// Runs `program` with `args` and waits for it; on POSIX systems its input is
// empty (no terminal), so it asks no question. `folder`, when given, is the
// program's current folder.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& folder = {});

}  // namespace dorvax::testing
