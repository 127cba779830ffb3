#include "inspect/cp932_decode.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#include <mutex>
#endif

#include "platform/cp932.h"

namespace dorvax::inspect {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

void AppendCodePoint(std::string& out, unsigned int cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The characters that need no table: ASCII and the half-width katakana
// (0xA1-0xDF map to U+FF61-U+FF9F). Used where the system converter is
// missing; double-byte characters then show as U+FFFD.
std::string DecodeWithoutTable(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c >= 0xA1 && c <= 0xDF) {
      AppendCodePoint(out, 0xFF61 + (c - 0xA1));
    } else {
      out += kReplacement;
      if (platform::cp932::IsLeadByte(c) && i + 1 < bytes.size()) ++i;
    }
  }
  return out;
}

#ifdef _WIN32

std::string DecodeWithSystem(std::string_view bytes) {
  int wideLength = MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (wideLength <= 0) return DecodeWithoutTable(bytes);
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), wideLength);
  int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, out.data(), length, nullptr, nullptr);
  return out;
}

#else

// One converter for the whole program; iconv keeps state, so calls are
// serialised.
class Converter {
 public:
  Converter() : cd_(iconv_open("UTF-8", "CP932")) {}
  ~Converter() {
    if (Usable()) iconv_close(cd_);
  }
  bool Usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  std::string Decode(std::string_view bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char buffer[256];
    while (inLeft > 0) {
      char* put = buffer;
      std::size_t room = sizeof buffer;
      std::size_t done = iconv(cd_, &in, &inLeft, &put, &room);
      out.append(buffer, static_cast<std::size_t>(put - buffer));
      if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
        // A byte that starts no character (or a lead byte cut off at the
        // end): show one replacement and go on after it.
        out += kReplacement;
        ++in;
        --inLeft;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    return out;
  }

 private:
  iconv_t cd_;
  std::mutex mutex_;
};

std::string DecodeWithSystem(std::string_view bytes) {
  static Converter converter;
  if (!converter.Usable()) return DecodeWithoutTable(bytes);
  return converter.Decode(bytes);
}

#endif

}  // namespace

std::string Cp932ToUtf8(std::string_view bytes) {
  if (platform::cp932::IsAscii(bytes)) return std::string(bytes);
  return DecodeWithSystem(bytes);
}

}  // namespace dorvax::inspect
