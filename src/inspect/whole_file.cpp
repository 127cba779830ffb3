#include "inspect/whole_file.h"

#include "platform/file_handle.h"

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

}  // namespace dorvax::inspect
