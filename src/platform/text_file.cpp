#include "platform/text_file.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <limits>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

#include "platform/binary_file.h"
#include "platform/run_error.h"

namespace platform {

namespace {
constexpr std::size_t kReadChunk = 64 * 1024;
constexpr std::size_t kWriteFlush = 64 * 1024;
// Held lines are searched for their end 48 bytes at a time, from where
// each line starts.
constexpr std::size_t kLook = 48;
}  // namespace

void TextReader::Open(const std::string& path) {
  file_.Open(path, OpenMode::kRead);
  if (buffer_.size() < 2 * kReadChunk) buffer_.resize(2 * kReadChunk);
  begin_ = end_ = 0;
  eof_ = false;
  skipLf_ = false;
}

bool TextReader::Fill() {
  if (eof_) return false;
  if (begin_ > 0) {  // keep the unread bytes at the front
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (buffer_.size() - end_ < kReadChunk) buffer_.resize(end_ + kReadChunk);
  std::size_t got = file_.Read(buffer_.data() + end_, buffer_.size() - end_);
  if (got == 0) {
    eof_ = true;
    return false;
  }
  end_ += got;
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
    if (buffer_.size() - end_ < kReadChunk) buffer_.resize(end_ + kReadChunk);
    std::size_t got = file_.Read(buffer_.data() + end_, buffer_.size() - end_);
    if (got == 0)
      eof_ = true;
    else
      end_ += got;
  }
  // Room behind the bytes for ReadHeldLines, which looks at whole blocks.
  if (buffer_.size() < end_ + kLook) buffer_.resize(end_ + kLook);
  return true;
}

namespace {

// The CRs of the 48 bytes at `bytes` as bits, bit i for byte i: the usual
// line and its end in one look. All 48 bytes must be readable.
uint64_t CrBits(const char* bytes) {
#if defined(__SSE2__) || defined(_M_X64)
  const __m128i cr = _mm_set1_epi8('\r');
  auto bits = [&](std::size_t at) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
    return static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr))));
  };
  return bits(0) | bits(16) << 16 | bits(32) << 32;
#else
  uint64_t found = 0;
  for (std::size_t i = 0; i < kLook; ++i) found |= uint64_t{bytes[i] == '\r'} << i;
  return found;
#endif
}

}  // namespace

void TextReader::ReadHeldLines(std::size_t keepBytes, std::vector<std::string_view>& lines) {
  if (!eof_) throw std::logic_error("ReadHeldLines before HoldRest");
  if (skipLf_ && begin_ < end_) {
    if (buffer_[begin_] == '\n') ++begin_;
    skipLf_ = false;
  }
  const std::size_t first = begin_;
  const std::size_t size = end_ - begin_;
  begin_ = end_;
  // The search for a CR looks at 48 bytes at a time and so past the end of
  // the file's bytes, as does the look for an LF after a CR that ends them:
  // HoldRest left room for that, and the byte after the end is made a zero.
  // A CR found past the end is no line end.
  buffer_[end_] = '\0';
  const char* const data = buffer_.data() + first;

  // Room for lines of 40 bytes and more up front, so that the usual file is
  // split without the list growing on the way.
  lines.reserve(lines.size() + size / 40 + 8);
  std::size_t start = 0;
  while (start < size) {
    std::size_t at = start;
    for (;;) {
      if (const uint64_t crs = CrBits(data + at); crs != 0) {
        at += static_cast<std::size_t>(std::countr_zero(crs));
        break;
      }
      at += kLook;
      if (at >= size) break;
    }
    if (at >= size) {  // the last line has no end
      lines.emplace_back(data + start, std::min(size - start, keepBytes));
      break;
    }
    lines.emplace_back(data + start, std::min(at - start, keepBytes));
    start = at + 1 + (data[at + 1] == '\n');
  }
}

std::string_view TextReader::ReadLine() { return ReadLine(std::numeric_limits<std::size_t>::max()); }

std::string_view TextReader::ReadLineAcrossFill(std::size_t keepBytes) {
  if (AtEnd()) throw MakeError(kErrInputPastEnd, file_.path());
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

void TextWriter::Close() {
  if (!file_.IsOpen()) return;
  try {
    Flush();
  } catch (...) {
    CloseQuietly();
    throw;
  }
  file_.Close();
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

}  // namespace platform
