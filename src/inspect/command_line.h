#pragma once
// Small shared pieces of the two command-line tools: the arguments as
// UTF-8 texts on every system, and the reading of option values.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvax::inspect {

// The program's arguments without the program name, as UTF-8 (on Windows
// taken from the wide command line, elsewhere the bytes as given).
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Lets the console show UTF-8 output (Windows); nothing elsewhere.
void PrepareConsoleOutput();

// A whole decimal integer (optional sign, digits only), or nothing.
std::optional<long long> ParseWholeNumber(std::string_view text);

// Splits "--name=value" into its two parts; nothing for other texts.
struct OptionWithValue {
  std::string name;
  std::string value;
};
std::optional<OptionWithValue> SplitInlineValue(std::string_view argument);

}  // namespace dorvax::inspect
