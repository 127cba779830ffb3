#include "platform/native_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace dorvax::platform {

#ifdef _WIN32
std::wstring ToWide(std::string_view utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string FromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}
#endif

std::string WithoutTrailingSeparator(std::string_view path) {
  std::size_t end = path.size();
  while (end > 1 && IsSeparator(path[end - 1])) {
#ifdef _WIN32
    if (end == 3 && path[1] == ':') break;  // keep the root of a drive
#endif
    --end;
  }
  return std::string(path.substr(0, end));
}

std::string ParentOf(std::string_view path) {
  std::string trimmed = WithoutTrailingSeparator(path);
  std::size_t cut = trimmed.find_last_of(
#ifdef _WIN32
      "\\/"
#else
      "/"
#endif
  );
  if (cut == std::string::npos) return {};
  if (cut == 0) return trimmed.substr(0, 1);
#ifdef _WIN32
  if (cut == 2 && trimmed[1] == ':') return trimmed.substr(0, 3);  // "C:\data" lies in "C:\"
#endif
  return trimmed.substr(0, cut);
}

}  // namespace dorvax::platform
