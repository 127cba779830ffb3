#include "inspect/command_line.h"

#include <charconv>

#ifdef _WIN32
#include <windows.h>
// (after windows.h, which it needs)
#include <shellapi.h>

#include "platform/native_path.h"
#endif

namespace dorvax::inspect {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  std::vector<std::string> args;
#ifdef _WIN32
  (void)argc;
  (void)argv;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; wide != nullptr && i < count; ++i) args.push_back(platform::FromWide(wide[i]));
  if (wide != nullptr) LocalFree(wide);
#else
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
#endif
  return args;
}

void PrepareConsoleOutput() {
#ifdef _WIN32
  SetConsoleOutputCP(CP_UTF8);
#endif
}

std::optional<long long> ParseWholeNumber(std::string_view text) {
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  long long value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<OptionWithValue> SplitInlineValue(std::string_view argument) {
  if (argument.substr(0, 2) != "--") return std::nullopt;
  std::size_t equals = argument.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return OptionWithValue{std::string(argument.substr(0, equals)), std::string(argument.substr(equals + 1))};
}

}  // namespace dorvax::inspect
