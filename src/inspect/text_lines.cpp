#include "inspect/text_lines.h"

namespace dorvax::inspect {

std::vector<TextLine> SplitLines(std::string_view bytes) {
  std::vector<TextLine> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back({bytes.substr(start), {}});
      break;
    }
    std::size_t endLength = (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
    lines.push_back({bytes.substr(start, end - start), bytes.substr(end, endLength)});
    start = end + endLength;
  }
  return lines;
}

}  // namespace dorvax::inspect
