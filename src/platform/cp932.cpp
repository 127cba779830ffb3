#include "platform/cp932.h"

namespace dorvax::platform::cp932 {

namespace {
// Width in bytes of the character starting at byte `i`.
inline std::size_t WidthAt(std::string_view text, std::size_t i) {
  return (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
}
}  // namespace

std::size_t CharCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); i += WidthAt(text, i)) ++count;
  return count;
}

}  // namespace dorvax::platform::cp932

namespace dorvax::platform::utf8 {

namespace {
inline bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }
std::size_t NextChar(std::string_view text, std::size_t i) {
  ++i;
  while (i < text.size() && IsContinuation(static_cast<unsigned char>(text[i]))) ++i;
  return i;
}
}  // namespace

std::size_t CharCount(std::string_view text) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size(); i = NextChar(text, i)) ++n;
  return n;
}

std::string_view Mid(std::string_view text, std::size_t start, std::size_t count) {
  if (start == 0 || count == 0) return {};
  std::size_t i = 0;
  for (std::size_t n = 1; n < start && i < text.size(); ++n) i = NextChar(text, i);
  if (i >= text.size()) return {};
  std::size_t end = i;
  for (std::size_t n = 0; n < count && end < text.size(); ++n) end = NextChar(text, end);
  return text.substr(i, end - i);
}

std::string_view Right(std::string_view text, std::size_t count) {
  std::size_t total = CharCount(text);
  if (count >= total) return text;
  return Mid(text, total - count + 1, count);
}

}  // namespace dorvax::platform::utf8
