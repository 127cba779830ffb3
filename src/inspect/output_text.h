#pragma once
// Quoting of texts for the tools' output formats.
#include <string>
#include <string_view>

namespace dorvax::inspect {

// A CSV field: quoted (with doubled quotes) only when it holds a comma, a
// quote, a line end, or blanks at either end that a reader might strip.
std::string CsvField(std::string_view text);

// A JSON string literal, quotes included; control characters escaped.
std::string JsonString(std::string_view text);

// A text in double quotes for a difference line: backslash, quote and
// control characters escaped, so that blanks and line ends stay visible.
std::string QuotedForDiff(std::string_view text);

}  // namespace dorvax::inspect
