#include "inspect/whole_file.h"

#include "platform/file_handle.h"
#include "platform/run_error.h"

namespace dorvax::inspect {

std::string ReadWholeFile(const std::string& path) {
  platform::FileHandle file(path, platform::OpenMode::kRead);
  std::string bytes;
  char buffer[64 * 1024];
  for (;;) {
    std::size_t got = file.Read(buffer, sizeof buffer);
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  file.Close();
  return bytes;
}

namespace {

const char* ErrorMeaning(int32_t number) {
  switch (number) {
    case platform::kErrFileNotFound: return "no such file";
    case platform::kErrPathNotFound: return "no such folder on the way";
    case platform::kErrPermissionDenied: return "permission denied";
    case platform::kErrPathFileAccess: return "not a file that can be read";
    case platform::kErrTooManyFiles: return "too many open files";
    case platform::kErrDeviceIo: return "input/output error";
    default: return "read error";
  }
}

}  // namespace

std::string ReadFailureText(const platform::RunError& error) {
  return std::string("cannot be read: ") + ErrorMeaning(error.number()) + " (error " + std::to_string(error.number()) +
         ")";
}

}  // namespace dorvax::inspect
