#pragma once
// Paths are UTF-8 text inside the program. On Windows they become wide
// strings at the system call; elsewhere the bytes are used as they are.
#include <string>
#include <string_view>

namespace dorvax::platform {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
std::wstring ToWide(std::string_view utf8);
std::string FromWide(std::wstring_view wide);
#else
constexpr char kPathSeparator = '/';
#endif

// The separator as a one-character text, for joining paths by concatenation.
inline std::string Sep() { return std::string(1, kPathSeparator); }

inline bool IsSeparator(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/';
#else
  return c == '/';
#endif
}

// True when the text ends with a path separator.
inline bool EndsWithSeparator(std::string_view path) { return !path.empty() && IsSeparator(path.back()); }

// The path without trailing separators (a root such as "/" or "C:\" is kept).
std::string WithoutTrailingSeparator(std::string_view path);

// The folder that holds a path (text before its last separator), or empty.
std::string ParentOf(std::string_view path);

}  // namespace dorvax::platform
