#include "inspect/output_text.h"

#include <cstdio>

namespace dorvax::inspect {

namespace {

std::string HexEscape(const char* format, unsigned char c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, format, static_cast<unsigned int>(c));
  return buffer;
}

// The escape of a character shared by JSON and difference lines, or empty
// when the character stands for itself.
std::string CommonEscape(char c) {
  switch (c) {
    case '"': return "\\\"";
    case '\\': return "\\\\";
    case '\r': return "\\r";
    case '\n': return "\\n";
    case '\t': return "\\t";
    default: return {};
  }
}

}  // namespace

std::string CsvField(std::string_view text) {
  bool quote = !text.empty() && (text.front() == ' ' || text.back() == ' ');
  for (char c : text)
    if (c == ',' || c == '"' || c == '\r' || c == '\n') quote = true;
  if (!quote) return std::string(text);
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    std::string escaped = CommonEscape(c);
    if (!escaped.empty())
      out += escaped;
    else if (static_cast<unsigned char>(c) < 0x20)
      out += HexEscape("\\u%04x", static_cast<unsigned char>(c));
    else
      out += c;
  }
  out += '"';
  return out;
}

std::string QuotedForDiff(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    std::string escaped = CommonEscape(c);
    if (!escaped.empty())
      out += escaped;
    else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
      out += HexEscape("\\x%02X", static_cast<unsigned char>(c));
    else
      out += c;
  }
  out += '"';
  return out;
}

}  // namespace dorvax::inspect
