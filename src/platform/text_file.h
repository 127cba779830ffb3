#pragma once
// Text files read and written line by line as raw bytes (CP932 content is
// never decoded). A line ends at CR LF or at a lone CR; the last line needs
// no end. Written lines are ended by CR LF. Both sides are buffered, so a
// line is never one system call.
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_handle.h"

namespace platform {

class TextReader {
 public:
  TextReader() = default;
  explicit TextReader(const std::string& path) { Open(path); }

  void Open(const std::string& path);
  bool IsOpen() const { return file_.IsOpen(); }
  // True when no further line can be read.
  bool AtEnd();
  // The next line without its end. The view stays valid until the next call
  // of ReadLine, Open or Close. Reading past the end raises error 62.
  std::string_view ReadLine();
  // The same, holding at most `keepBytes` bytes of the line: the rest of a
  // longer line is read past and dropped, so a line of any length costs no
  // more memory than that. For lines of which only the first columns count.
  std::string_view ReadLine(std::size_t keepBytes);
  void Close() { file_.CloseQuietly(); }
  const std::string& path() const { return file_.path(); }

 private:
  bool Fill();  // reads more bytes behind the kept ones; false at the end

  FileHandle file_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // first unread byte
  std::size_t end_ = 0;    // one past the last byte read
  bool eof_ = false;
  bool skipLf_ = false;    // the previous line ended with a CR at the buffer's end
};

class TextWriter {
 public:
  TextWriter() = default;
  ~TextWriter() { file_.CloseQuietly(); }
  // Creates the file, or empties it when it exists.
  void Open(const std::string& path);
  bool IsOpen() const { return file_.IsOpen(); }
  // Appends the bytes of the line and CR LF.
  void WriteLine(std::string_view line);
  // Flushes and closes; failures (a full disk) are reported here at the latest.
  void Close();
  void CloseQuietly() noexcept { file_.CloseQuietly(); buffer_.clear(); }

 private:
  void Flush();

  FileHandle file_;
  std::string buffer_;
};

}  // namespace platform
