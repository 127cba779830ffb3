#pragma once
// The line transformations of a text-era hourly file: header lines 3 and 4
// lose the titles of the flag columns, and every data line is cut down to
// the old edition's 29 columns without flags. Lines are CP932 bytes;
// positions count characters.
#include <cstddef>
#include <string>
#include <string_view>

namespace dorvax {

// Header line 3: every ",Flag" title removed, cut after column 128, filled
// with blanks to 98 characters.
void StripFlagHeaders(std::string& line);
// Header line 4: every ",," made one comma, cut after column 44, filled with
// blanks to 39 characters.
void CollapseEmptyHeaders(std::string& line);

// Room for any reshaped data line with its CR LF (29 characters of at most
// two bytes each, and two bytes).
constexpr std::size_t kMaxReshapedLineBytes = 64;
// A data line reshaped (columns 1-6 and every value without its flag, "/"
// for each character of a value whose flag is 9) and followed by CR LF,
// written at `out`, which must have room for kMaxReshapedLineBytes; gives
// the end of what was written. Raises error 13 when a flag column holds no
// digit (a line too short included); the bytes at `out` may then have
// changed. The whole text of a file is reshaped into room made once.
char* WriteReshapedDataLineWithEnd(std::string_view line, char* out);

}  // namespace dorvax
