#pragma once
// A binary file written sequentially, buffered so that a record is one
// append to memory.
#include <string>
#include <string_view>

#include "platform/file_handle.h"

namespace dorvax::platform {

class BinaryWriter {
 public:
  BinaryWriter() = default;
  ~BinaryWriter() { file_.CloseQuietly(); }
  // kWriteTruncate empties an existing file; kWriteFromStart writes over it
  // from the first byte without shortening it.
  void Open(const std::string& path, OpenMode mode = OpenMode::kWriteTruncate);
  bool IsOpen() const { return file_.IsOpen(); }
  const std::string& path() const { return file_.path(); }

  void WriteBytes(std::string_view bytes) {
    buffer_.append(bytes);
    if (buffer_.size() >= kFlushSize) Flush();
  }
  void Close();
  void CloseQuietly() noexcept {
    file_.CloseQuietly();
    buffer_.clear();
  }

 private:
  static constexpr std::size_t kFlushSize = 64 * 1024;
  void Flush();

  FileHandle file_;
  std::string buffer_;
};

}  // namespace dorvax::platform
