#include "platform/standard_path.h"

#include "platform/native_path.h"

namespace dorvax::platform {

#ifdef _WIN32
std::filesystem::path NativePathOf(const std::string& utf8) { return std::filesystem::path(ToWide(utf8)); }
std::string Utf8PathOf(const std::filesystem::path& path) { return FromWide(path.native()); }
#else
std::filesystem::path NativePathOf(const std::string& utf8) { return std::filesystem::path(utf8); }
std::string Utf8PathOf(const std::filesystem::path& path) { return path.native(); }
#endif

}  // namespace dorvax::platform
