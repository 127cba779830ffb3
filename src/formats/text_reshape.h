#pragma once
// The three line transformations of a text-era hourly file: the header
// lines 3 and 4 lose the titles of the flag columns, and every data line is
// cut down to the old edition's 29 columns without flags. Lines are CP932
// bytes; positions count characters.
#include <cstddef>
#include <string>
#include <string_view>

namespace dorvax {

void StripFlagHeaders(std::string& line);
void CollapseEmptyHeaders(std::string& line);
void ReshapeDataLine(std::string& line);

// The reshaped data line written into `out` (replacing its contents); the
// form used by the conversion loop to avoid an allocation per line.
void ReshapeDataLineInto(std::string_view line, std::string& out);

// The reshaped data line appended to `out`; nothing is appended when the
// line fails. The form used to gather a whole output file in one text.
void AppendReshapedDataLine(std::string_view line, std::string& out);
// The same followed by CR LF, as the line is written.
void AppendReshapedDataLineWithEnd(std::string_view line, std::string& out);

// The bytes of the usual reshaped line with CR LF (29 single-byte
// characters), and the most any reshaped line with CR LF can take.
constexpr std::size_t kUsualReshapedLineBytes = 31;
constexpr std::size_t kMaxReshapedLineBytes = 64;
// The reshaped line with CR LF written at `out`, which must have room for
// kMaxReshapedLineBytes; gives the end of what was written. When the line
// fails, the bytes at `out` may have changed but no end is given. The form
// used to reshape a whole file into room made once.
char* WriteReshapedDataLineWithEnd(std::string_view line, char* out);

}  // namespace dorvax
