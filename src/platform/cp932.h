#pragma once
// Character positions in CP932 (Shift-JIS) text kept as its raw bytes.
// A line is never decoded: positions count characters by lead bytes
// (0x81-0x9F and 0xE0-0xFC start a two-byte character), so whatever is
// copied keeps its input bytes exactly.
#include <cstddef>
#include <string>
#include <string_view>

namespace dorvax::platform::cp932 {

constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Number of characters in the text. A lead byte at the very end counts as
// one (broken) character.
std::size_t CharCount(std::string_view text);

// Byte offset where the character at 1-based position `pos` starts, or
// text.size() when the text has fewer characters.
std::size_t ByteOffsetOfChar(std::string_view text, std::size_t pos);

// The characters from 1-based position `start`, `count` of them (fewer at the
// end of the text); empty text when `start` lies beyond the end.
std::string_view Mid(std::string_view text, std::size_t start, std::size_t count);

// The characters from 1-based position `start` to the end.
std::string_view MidToEnd(std::string_view text, std::size_t start);

// The single character at 1-based position `pos` (empty beyond the end).
inline std::string_view CharAt(std::string_view text, std::size_t pos) { return Mid(text, pos, 1); }

// True when the text holds no byte above 0x7F, so characters are bytes.
bool IsAscii(std::string_view text);

}  // namespace dorvax::platform::cp932

namespace dorvax::platform::utf8 {
// Character counting for UTF-8 text (file names and message texts).
std::size_t CharCount(std::string_view text);
std::string_view Mid(std::string_view text, std::size_t start, std::size_t count);
std::string_view Right(std::string_view text, std::size_t count);
}  // namespace dorvax::platform::utf8
