#pragma once
// The order in which folders and files are listed and visited: the order in
// which NTFS keeps a folder, where names are compared as UTF-16 code units
// after each unit is folded to upper case. Record order in the output
// follows it, so it must not depend on the machine's locale.
#include <string>
#include <string_view>

namespace dorvax::platform {

// The upper-case form of one UTF-16 unit as the file system folds it, for
// the letters names of this data can hold: ASCII, Latin-1, Greek, Cyrillic,
// the small roman numerals and the full-width Latin letters of the Japanese
// code page. Every other unit is its own upper case.
char16_t FoldedUnit(char16_t unit);

// Names (UTF-8) in that order; names equal when folded come in the order
// of their bytes, so that the order is total. A byte that is not part of a
// well-formed UTF-8 sequence counts as one unit of its own, U+DC80 to
// U+DCFF: after the characters up to U+D7FF and those beyond U+FFFF (whose
// units begin with U+D800 to U+DBFF), before those from U+E000 to U+FFFF.
bool NameLess(std::string_view a, std::string_view b);

}  // namespace dorvax::platform
