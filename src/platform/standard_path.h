#pragma once
// A path of the program (UTF-8 text) as the standard library's path, and
// back. Kept apart from native_path.h: a program that needs neither (the
// native Windows window) then links none of the standard library's path
// and locale machinery.
#include <filesystem>
#include <string>

namespace dorvax::platform {

std::filesystem::path NativePathOf(const std::string& utf8);
std::string Utf8PathOf(const std::filesystem::path& path);

}  // namespace dorvax::platform
