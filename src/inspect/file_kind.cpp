#include "inspect/file_kind.h"

#include <cctype>
#include <string>

#include "formats/day_records.h"
#include "platform/native_path.h"

namespace dorvax::inspect {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(std::string_view text) {
  for (char c : text)
    if (!IsDigit(c)) return false;
  return !text.empty();
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  return true;
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  std::string_view tail = text.substr(text.size() - suffix.size());
  for (std::size_t i = 0; i < suffix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(tail[i])) != suffix[i]) return false;
  return true;
}

// prefix + four year digits + "." + two month digits, nothing more.
bool HasYearMonthSuffix(std::string_view name, std::size_t prefixLength) {
  std::string_view rest = name.substr(prefixLength);
  return rest.size() == 7 && AllDigits(rest.substr(0, 4)) && rest[4] == '.' && AllDigits(rest.substr(5, 2));
}

// A month folder of the text era: six digits whose year is 2000 or later.
bool IsTextEraMonthFolder(std::string_view name) {
  return name.size() == 6 && AllDigits(name) && name.substr(0, 4) >= "2000";
}

}  // namespace

std::optional<FileKind> KindFromOldName(std::string_view fileName) {
  struct Pattern {
    std::string_view prefix;
    FileKind kind;
  };
  static constexpr Pattern kPatterns[] = {
      {"DVX", FileKind::kDvx}, {"DVS", FileKind::kDvs}, {"IDX", FileKind::kIdx}, {"SIDX", FileKind::kSidx}};
  for (const Pattern& p : kPatterns)
    if (StartsWithNoCase(fileName, p.prefix) && HasYearMonthSuffix(fileName, p.prefix.size())) return p.kind;
  return std::nullopt;
}

std::optional<FileKind> KindFromOption(std::string_view text) {
  std::string lower;
  for (char c : text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower == "dvx") return FileKind::kDvx;
  if (lower == "dvs") return FileKind::kDvs;
  if (lower == "idx") return FileKind::kIdx;
  if (lower == "sidx") return FileKind::kSidx;
  return std::nullopt;
}

FileKind KindForCompare(std::string_view relativePath) {
  std::string_view name = FileNameOf(relativePath);
  if (auto kind = KindFromOldName(name)) return *kind;
  if (EndsWithNoCase(name, ".csv")) return FileKind::kText;
  std::size_t start = 0;
  while (start < relativePath.size()) {
    std::size_t end = start;
    while (end < relativePath.size() && !platform::IsSeparator(relativePath[end])) ++end;
    if (end == relativePath.size()) break;  // the file name itself
    if (IsTextEraMonthFolder(relativePath.substr(start, end - start))) return FileKind::kText;
    start = end + 1;
  }
  return FileKind::kBytes;
}

const char* KindLabel(FileKind kind) {
  switch (kind) {
    case FileKind::kDvx: return "DVX";
    case FileKind::kDvs: return "DVS";
    case FileKind::kIdx: return "IDX";
    case FileKind::kSidx: return "SIDX";
    case FileKind::kText: return "text";
    case FileKind::kBytes: return "bytes";
  }
  return "bytes";
}

std::size_t RecordSizeOf(FileKind kind) {
  if (kind == FileKind::kDvx) return kDvxRecordSize;
  if (kind == FileKind::kDvs) return kDvsRecordSize;
  return 0;
}

std::string_view FileNameOf(std::string_view path) {
  std::size_t i = path.size();
  while (i > 0 && !platform::IsSeparator(path[i - 1])) --i;
  return path.substr(i);
}

}  // namespace dorvax::inspect
