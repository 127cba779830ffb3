#pragma once
// Lines of a text file with the bytes that ended them, so that a comparison
// can also see a changed line end (CR LF against LF, or none at the end).
#include <string_view>
#include <vector>

namespace dorvax::inspect {

struct TextLine {
  std::string_view text;    // without its end
  std::string_view ending;  // "\r\n", "\n", "\r", or empty for a last line without end
};

// Splits at CR LF, a lone LF or a lone CR. Views point into `bytes`; no
// empty line is made after a final line end.
std::vector<TextLine> SplitLines(std::string_view bytes);

}  // namespace dorvax::inspect
