#pragma once
// Text files read and written line by line as raw bytes (CP932 content is
// never decoded). A line ends at CR LF or at a lone CR; the last line needs
// no end. Written lines are ended by CR LF. Both sides are buffered, so a
// line is never one system call.
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_handle.h"
#include "platform/line_ends.h"

namespace dorvax::platform {

struct ReadAheadFile;

// The least a TextReader asks for in the first read of a file: a shorter
// file is read in two calls, its bytes and the end.
inline constexpr std::size_t kTextFirstReadBytes = 128 * 1024;

class TextReader {
 public:
  TextReader() = default;
  explicit TextReader(const std::string& path) { Open(path); }

  void Open(const std::string& path);
  // Opens a file whose bytes the read-ahead thread has read (FileReadAhead).
  // Everything is as when the file is opened by its path and read here: the
  // lines, the failures of opening and of each read (raised when this
  // reader comes to that open or read), the fault checks and the count of
  // bytes read. The bytes are taken over where they lie, not copied; Close
  // (or the next Open) gives them back to `file`, which must live until then.
  void Open(ReadAheadFile& file);
  bool IsOpen() const { return file_.IsOpen() || ahead_ != nullptr; }
  // True when no further line can be read.
  bool AtEnd() {
    if (!skipLf_ && begin_ < end_) return false;  // the usual case, without a call
    return AtEndOfBuffer();
  }
  // The next line without its end. The view stays valid until the next call
  // of ReadLine, Open or Close. Reading past the end raises error 62.
  std::string_view ReadLine();
  // The same, holding at most `keepBytes` bytes of the line: the rest of a
  // longer line is read past and dropped, so a line of any length costs no
  // more memory than that. For lines of which only the first columns count.
  std::string_view ReadLine(std::size_t keepBytes) {
    // The usual case, run for every line: the line and the byte after its CR
    // are in the buffer already.
    if (!skipLf_ && begin_ < end_) {
      const char* start = buffer_.data() + begin_;
      const void* cr = std::memchr(start, '\r', end_ - begin_);
      if (cr && static_cast<const char*>(cr) + 1 < buffer_.data() + end_) {
        std::size_t length = static_cast<std::size_t>(static_cast<const char*>(cr) - start);
        begin_ += length + 1;
        if (buffer_[begin_] == '\n') ++begin_;
        return std::string_view(start, length < keepBytes ? length : keepBytes);
      }
    }
    return ReadLineAcrossFill(keepBytes);
  }
  // Reads the rest of the file into memory when it is no larger than
  // `limit` bytes. Then true, and every line view given from now on stays
  // valid until the next Open or Close, so the lines need not be copied;
  // views given before this call are no longer valid. False for a larger
  // rest, which ReadLine then reads line by line.
  bool HoldRest(std::size_t limit);
  // After HoldRest gave true: appends views of all remaining lines, each cut
  // to `keepBytes`, exactly as calling ReadLine(keepBytes) until AtEnd would.
  void ReadHeldLines(std::size_t keepBytes, std::vector<std::string_view>& lines);
  // The same lines handed one by one to `line(view)` as they are found, for
  // a caller that needs no list of them.
  template <typename LineFn>
  void ForEachHeldLine(std::size_t keepBytes, LineFn&& line) {
    const std::string_view rest = TakeHeldRest();
    ForEachLineIn(rest.data(), rest.size(), keepBytes, line);
  }
  void Close() {
    file_.CloseQuietly();
    if (ahead_) GiveBackAhead();
  }
  const std::string& path() const;

 private:
  bool Fill();  // reads more bytes behind the kept ones; false at the end
  // Reads more bytes at end_ (from the file, or the next read of a file read
  // ahead); false at the end of the file.
  bool ReadBehind();
  bool ReadBehindFromAhead();
  void GiveBackAhead();
  bool AtEndOfBuffer();
  // The held bytes not read yet, all taken at once.
  std::string_view TakeHeldRest();
  // ReadLine when the buffer must be refilled or a CR ended it.
  std::string_view ReadLineAcrossFill(std::size_t keepBytes);

  FileHandle file_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // first unread byte
  std::size_t end_ = 0;    // one past the last byte read
  bool eof_ = false;
  bool skipLf_ = false;  // the previous line ended with a CR at the buffer's end
  // A file read ahead: buffer_ is its bytes, of which those from aheadAt_ on
  // have not been read yet (end_ <= aheadAt_), and aheadReads_ of its reads
  // have been made.
  ReadAheadFile* ahead_ = nullptr;
  std::size_t aheadAt_ = 0;
  int aheadReads_ = 0;
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
  // Appends text that already holds its line ends (every line followed by
  // CR LF), as one write when nothing is waiting in the buffer.
  void WriteText(std::string_view linesWithEnds);
  // Flushes and closes; failures (a full disk) are reported here at the latest.
  void Close();
  // The same, leaving the file with normal attributes (FileHandle::CloseAsNormalFile).
  void CloseAsNormalFile();
  void CloseQuietly() noexcept {
    file_.CloseQuietly();
    buffer_.clear();
  }

 private:
  void Flush();
  // Flushes an open file, closing it quietly when that fails; false when no
  // file is open.
  bool FlushBeforeClosing();

  FileHandle file_;
  std::string buffer_;
};

}  // namespace dorvax::platform
