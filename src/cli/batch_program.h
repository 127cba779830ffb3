#pragma once
// The batch program apart from the process: arguments in, exit status out.
#include <iosfwd>
#include <string>
#include <vector>

namespace dorvax::cli {

struct Terminal {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool inIsTerminal = false;
  bool errIsTerminal = false;
};

// 0 converted, 1 the conversion stopped, 2 wrong usage.
int RunBatchProgram(const std::vector<std::string>& args, Terminal& terminal);

}  // namespace dorvax::cli
