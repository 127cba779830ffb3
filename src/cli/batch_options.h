#pragma once
// The command line of the batch program.
#include <string>
#include <vector>

namespace dorvax::cli {

struct BatchOptions {
  enum class Action { kRun, kHelp, kVersion, kUsageError };
  Action action = Action::kUsageError;
  bool assumeYes = false;
  std::string source;
  std::string destination;
  std::string error;  // what was wrong, for kUsageError
};

// Reads the arguments after the program name.
BatchOptions ParseBatchOptions(const std::vector<std::string>& args);

// "Usage: ..." (one line) and the full --help text.
std::string UsageLine();
std::string HelpText();

}  // namespace dorvax::cli
