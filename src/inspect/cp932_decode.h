#pragma once
// CP932 (Shift-JIS as Windows writes it) text turned into UTF-8 for display.
// Only the tools' output is decoded; data are always compared as raw bytes.
#include <string>
#include <string_view>

namespace dorvax::inspect {

// The UTF-8 form of CP932 bytes. A byte sequence that is no CP932 character
// becomes U+FFFD, so output never stops at bad data.
std::string Cp932ToUtf8(std::string_view bytes);

}  // namespace dorvax::inspect
