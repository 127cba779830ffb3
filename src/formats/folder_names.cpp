#include "formats/folder_names.h"

#include <optional>

#include "platform/cp932.h"
#include "platform/numeric_text.h"

namespace dorvax {

namespace {

constexpr int32_t kFirstYear = 1974;
constexpr int32_t kLastYear = 2099;
constexpr int32_t kFirstArea = 11;
constexpr int32_t kLastArea = 94;

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsWordAreaAnyCase(std::string_view word) {
  static constexpr std::string_view kArea = "area";
  if (word.size() != kArea.size()) return false;
  for (std::size_t i = 0; i < kArea.size(); ++i)
    if (LowerAscii(word[i]) != kArea[i]) return false;
  return true;
}

}  // namespace

void CheckYearMonthName(std::string_view name, int16_t& year, bool& valid) {
  valid = false;
  // The whole name is read as one number; a name that is no number is simply
  // not a month folder.
  std::optional<int32_t> number = platform::TryReadInt32(name);
  if (!number) return;
  const int64_t n = *number;
  const int64_t month = n % 100;  // keeps the sign of n
  const int64_t whole = (n - month) / 100;
  if (whole < kFirstYear || whole > kLastYear || month < 0 || month > 12) return;
  year = static_cast<int16_t>(whole);
  valid = true;
}

void CheckAreaName(std::string_view name, bool& valid) {
  valid = false;
  if (platform::utf8::CharCount(name) != 6) return;
  if (!IsWordAreaAnyCase(platform::utf8::Mid(name, 1, 4))) return;
  std::optional<int32_t> number = platform::TryReadInt32(platform::utf8::Mid(name, 5, 2));
  valid = number && *number >= kFirstArea && *number <= kLastArea;
}

}  // namespace dorvax
