#include "formats/station_file_name.h"

#include "platform/cp932.h"
#include "platform/native_path.h"
#include "platform/run_error.h"

namespace dorvax {

namespace {

constexpr int32_t kErrInvalidArgument = 5;

// The `count` characters that end `fromEnd` characters before the end of the
// name (".csv" is 4 characters, so the month ends 4 before the end).
std::string CharsBeforeEnd(std::string_view name, std::size_t fromEnd, std::size_t count) {
  const std::size_t total = platform::utf8::CharCount(name);
  if (total < fromEnd + count)
    throw platform::RunError(kErrInvalidArgument, "プロシージャの呼び出し、または引数が不正です。");
  return std::string(platform::utf8::Mid(name, total - fromEnd - count + 1, count));
}

}  // namespace

std::string StationFileMonth(std::string_view sourceFile) { return CharsBeforeEnd(sourceFile, 4, 2); }

std::string StationFileYear(std::string_view sourceFile) { return CharsBeforeEnd(sourceFile, 6, 2); }

std::string IndexFileName(const std::string& base, std::string_view sourceFile) {
  return base + "." + StationFileMonth(sourceFile);
}

std::string PathTailForMessage(std::string_view path, std::size_t count) {
  std::string tail(platform::utf8::Right(path, count));
  for (char& c : tail)
    if (platform::IsSeparator(c)) c = '\\';
  return tail;
}

}  // namespace dorvax
