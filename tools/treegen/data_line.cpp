// The 43-character data line of a new-edition hourly file. Written by hand into
// a fixed buffer: the benchmark trees hold tens of millions of these lines.
#include "treegen.h"

#include <stdexcept>
#include <string>

namespace treegen {

namespace {

constexpr std::size_t kLineChars = 43;

void Check(bool ok, const char* what) {
  if (!ok) throw std::invalid_argument(std::string("data line value out of range: ") + what);
}

// Right-aligned integer in buf[0..width), blanks in front.
void PutRight(char* buf, int width, int value) {
  const bool negative = value < 0;
  unsigned magnitude = static_cast<unsigned>(negative ? -value : value);
  int pos = width - 1;
  do {
    buf[pos--] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0 && pos >= 0);
  if (negative && pos >= 0) buf[pos--] = '-';
  while (pos >= 0) buf[pos--] = ' ';
}

void PutTwoDigits(char* buf, int value) {
  buf[0] = static_cast<char>('0' + value / 10);
  buf[1] = static_cast<char>('0' + value % 10);
}

// One decimal, the point one place before the end: "-12.3", "  2.5", "0.5".
void PutTenths(char* buf, int width, int tenths) {
  const bool negative = tenths < 0;
  const int magnitude = negative ? -tenths : tenths;
  buf[width - 1] = static_cast<char>('0' + magnitude % 10);
  buf[width - 2] = '.';
  PutRight(buf, width - 2, negative ? -(magnitude / 10) : magnitude / 10);
  if (negative && magnitude / 10 == 0) {
    // "-0.5": the integer part alone has no sign to carry.
    Check(width - 4 >= 0, "C/D");
    buf[width - 4] = '-';
  }
}

void PutMissing(char* buf, int width, bool slashes) {
  for (int i = 0; i < width; ++i) buf[i] = slashes ? '/' : ' ';
}

void PutFlag(char* buf, const Reading& r) {
  Check(r.flag >= 0 && r.flag <= 9, "flag");
  *buf = static_cast<char>('0' + r.flag);
}

}  // namespace

std::string FormatDataLine(int day, int hour, const Reading& a, const Reading& b1, const Reading& b2, const Reading& c,
                           const Reading& d, const Reading& e, bool slashes) {
  Check(day >= 0 && day <= 99, "day");
  Check(hour >= 0 && hour <= 99, "hour");
  char buf[kLineChars];
  for (std::size_t i = 0; i < kLineChars; ++i) buf[i] = ',';
  PutTwoDigits(buf + 0, day);   // 1-2
  PutTwoDigits(buf + 3, hour);  // 4-5
  if (a.Missing())
    PutMissing(buf + 6, 5, slashes);  // 7-11
  else {
    Check(a.value >= -9999 && a.value <= 99999, "A");
    PutRight(buf + 6, 5, a.value);
  }
  PutFlag(buf + 12, a);  // 13
  if (b1.Missing())
    PutMissing(buf + 14, 2, slashes);  // 15-16
  else {
    Check(b1.value >= 0 && b1.value <= 99, "B1");
    PutTwoDigits(buf + 14, b1.value);
  }
  PutFlag(buf + 17, b1);  // 18
  if (b2.Missing())
    PutMissing(buf + 19, 2, slashes);  // 20-21
  else {
    Check(b2.value >= 0 && b2.value <= 99, "B2");
    PutTwoDigits(buf + 19, b2.value);
  }
  PutFlag(buf + 22, b2);  // 23
  if (c.Missing())
    PutMissing(buf + 24, 5, slashes);  // 25-29, point at 28
  else {
    Check(c.value >= -999 && c.value <= 9999, "C");
    PutTenths(buf + 24, 5, c.value);
  }
  PutFlag(buf + 30, c);  // 31
  if (d.Missing())
    PutMissing(buf + 32, 3, slashes);  // 33-35, point at 34
  else {
    Check(d.value >= 0 && d.value <= 99, "D");
    PutTenths(buf + 32, 3, d.value);
  }
  PutFlag(buf + 36, d);  // 37
  if (e.Missing())
    PutMissing(buf + 38, 3, slashes);  // 39-41
  else {
    Check(e.value >= -99 && e.value <= 999, "E");
    PutRight(buf + 38, 3, e.value);
  }
  PutFlag(buf + 42, e);  // 43
  return std::string(buf, kLineChars);
}

}  // namespace treegen
