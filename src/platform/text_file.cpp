#include "platform/text_file.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "platform/binary_file.h"
#include "platform/fault_injection.h"
#include "platform/io_counters.h"
#include "platform/read_ahead.h"
#include "platform/run_error.h"

namespace dorvax::platform {

namespace {
constexpr std::size_t kReadChunk = 64 * 1024;
constexpr std::size_t kWriteFlush = 64 * 1024;
}  // namespace

static_assert(kTextFirstReadBytes == 2 * kReadChunk);

void TextReader::Open(const std::string& path) {
  if (ahead_) GiveBackAhead();
  file_.Open(path, OpenMode::kRead);
  if (buffer_.size() < kTextFirstReadBytes) buffer_.resize(kTextFirstReadBytes);
  begin_ = end_ = 0;
  eof_ = false;
  skipLf_ = false;
}

void TextReader::Open(ReadAheadFile& file) {
  Close();
  faults::Check(faults::Op::kOpenRead, file.path);
  if (file.openFailure) throw *file.openFailure;
  buffer_.swap(file.bytes);
  ahead_ = &file;
  aheadAt_ = 0;
  aheadReads_ = 0;
  begin_ = end_ = 0;
  eof_ = false;
  skipLf_ = false;
}

void TextReader::GiveBackAhead() {
  buffer_.swap(ahead_->bytes);
  ahead_ = nullptr;
}

const std::string& TextReader::path() const { return ahead_ ? ahead_->path : file_.path(); }

bool TextReader::Fill() {
  if (eof_) return false;
  if (begin_ > 0) {  // keep the unread bytes at the front
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  return ReadBehind();
}

bool TextReader::ReadBehind() {
  if (ahead_) return ReadBehindFromAhead();
  if (buffer_.size() - end_ < kReadChunk) buffer_.resize(end_ + kReadChunk);
  std::size_t got = file_.Read(buffer_.data() + end_, buffer_.size() - end_);
  if (got == 0) {
    eof_ = true;
    return false;
  }
  end_ += got;
  return true;
}

// The next of the reads made ahead, with the check and the count that
// FileHandle::Read makes. Its bytes lie at aheadAt_; they move to end_ only
// when the part of a long line past the kept bytes was dropped.
bool TextReader::ReadBehindFromAhead() {
  faults::Check(faults::Op::kRead, ahead_->path);
  if (aheadReads_ == ahead_->reads) {
    if (ahead_->readFailure) throw *ahead_->readFailure;
    eof_ = true;  // the reads made ahead end with the end of the file
    return false;
  }
  std::size_t got = ahead_->readSizes[aheadReads_++];
  CountBytesRead(got);
  if (got == 0) {
    eof_ = true;
    return false;
  }
  if (aheadAt_ != end_) std::memmove(buffer_.data() + end_, buffer_.data() + aheadAt_, got);
  end_ += got;
  aheadAt_ += got;
  return true;
}

bool TextReader::AtEndOfBuffer() {
  if (skipLf_) {
    if (begin_ == end_) Fill();
    if (begin_ < end_ && buffer_[begin_] == '\n') ++begin_;
    if (begin_ < end_ || eof_) skipLf_ = false;
  }
  if (begin_ < end_) return false;
  return !Fill();
}

bool TextReader::HoldRest(std::size_t limit) {
  // The rest is read behind the bytes in the buffer, which stay where they
  // are; once the end of the file has been seen the buffer is never refilled.
  while (!eof_) {
    if (end_ - begin_ > limit) return false;
    ReadBehind();
  }
  // Room behind the bytes for the search of the held lines' ends, which
  // looks at whole blocks.
  if (buffer_.size() < end_ + kLineEndBlock + 1) buffer_.resize(end_ + kLineEndBlock + 1);
  return true;
}

std::string_view TextReader::TakeHeldRest() {
  if (!eof_) throw std::logic_error("held lines taken before HoldRest");
  if (skipLf_ && begin_ < end_) {
    if (buffer_[begin_] == '\n') ++begin_;
    skipLf_ = false;
  }
  const std::size_t first = begin_;
  begin_ = end_;
  // HoldRest left room behind the bytes for the line search, which looks
  // past their end; the byte after the end is made one that is no LF.
  buffer_[end_] = '\0';
  return std::string_view(buffer_.data() + first, end_ - first);
}

void TextReader::ReadHeldLines(std::size_t keepBytes, std::vector<std::string_view>& lines) {
  const std::string_view rest = TakeHeldRest();
  // Room for lines of 40 bytes and more up front, so that the usual file is
  // split without the list growing on the way.
  lines.reserve(lines.size() + rest.size() / 40 + 8);
  ForEachLineIn(rest.data(), rest.size(), keepBytes, [&](std::string_view line) { lines.push_back(line); });
}

std::string_view TextReader::ReadLine() { return ReadLine(std::numeric_limits<std::size_t>::max()); }

std::string_view TextReader::ReadLineAcrossFill(std::size_t keepBytes) {
  if (AtEnd()) throw MakeError(kErrInputPastEnd, path());
  std::size_t scanFrom = begin_;
  for (;;) {
    const char* start = buffer_.data() + scanFrom;
    const void* cr = std::memchr(start, '\r', end_ - scanFrom);
    if (cr) {
      std::size_t at = static_cast<const char*>(cr) - buffer_.data();
      std::string_view line(buffer_.data() + begin_, std::min(at - begin_, keepBytes));
      begin_ = at + 1;
      if (begin_ < end_) {
        if (buffer_[begin_] == '\n') ++begin_;
      } else {
        skipLf_ = true;  // the LF, if any, is still in the file
      }
      return line;
    }
    // The bytes scanned past the kept ones hold no line end: drop them.
    if (end_ - begin_ > keepBytes) end_ = begin_ + keepBytes;
    scanFrom = end_;
    std::size_t keptBefore = begin_;
    if (!Fill()) {  // the last line has no end
      std::string_view line(buffer_.data() + begin_, end_ - begin_);
      begin_ = end_;
      return line;
    }
    scanFrom -= keptBefore;  // Fill moved the unread bytes to the front
  }
}

void TextWriter::Open(const std::string& path) {
  buffer_.clear();
  file_.Open(path, OpenMode::kWriteTruncate);
}

void TextWriter::WriteLine(std::string_view line) {
  buffer_.append(line);
  buffer_.append("\r\n", 2);
  if (buffer_.size() >= kWriteFlush) Flush();
}

void TextWriter::WriteText(std::string_view linesWithEnds) {
  if (linesWithEnds.empty()) return;
  Flush();
  file_.WriteAll(linesWithEnds.data(), linesWithEnds.size());
}

void TextWriter::Flush() {
  if (buffer_.empty()) return;
  std::string pending;
  pending.swap(buffer_);
  file_.WriteAll(pending.data(), pending.size());
  pending.clear();
  buffer_.swap(pending);  // keep the capacity
}

bool TextWriter::FlushBeforeClosing() {
  if (!file_.IsOpen()) return false;
  try {
    Flush();
  } catch (...) {
    CloseQuietly();
    throw;
  }
  return true;
}

void TextWriter::Close() {
  if (FlushBeforeClosing()) file_.Close();
}

void TextWriter::CloseAsNormalFile() {
  if (FlushBeforeClosing()) file_.CloseAsNormalFile();
}

void BinaryWriter::Open(const std::string& path, OpenMode mode) {
  buffer_.clear();
  buffer_.reserve(kFlushSize + 512);
  file_.Open(path, mode);
}

void BinaryWriter::Flush() {
  if (buffer_.empty()) return;
  try {
    file_.WriteAll(buffer_.data(), buffer_.size());
  } catch (...) {
    buffer_.clear();
    throw;
  }
  buffer_.clear();
}

void BinaryWriter::Close() {
  if (!file_.IsOpen()) return;
  try {
    Flush();
  } catch (...) {
    CloseQuietly();
    throw;
  }
  file_.Close();
}

}  // namespace dorvax::platform
