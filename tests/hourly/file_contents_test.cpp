// A text-era file is reshaped straight into one text that keeps its room
// from file to file and grows only when a line could find too little. Files
// of many lines up to the longest a reshaped line can be (every kept column
// a double-byte character), read one after another into the same contents,
// must give each its own lines exactly as reshaping them one by one does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/hourly_lines.h"
#include "formats/text_reshape.h"
#include "hourly/hourly_file_contents.h"
#include "platform/text_file.h"
#include "support/temp_dir.h"

namespace dorvax {
namespace {

using testing::DataLine;
using testing::LineFields;
using testing::TempDir;
using testing::WriteBytes;

const std::string kWide = "\x93\xfa";  // one column of two bytes

// Every column the reshaping keeps holds a double-byte character.
std::string WidestLine() {
  LineFields f;
  f.day = kWide + kWide;
  f.hour = kWide + kWide;
  f.a = "  " + kWide + kWide + kWide;
  f.b1 = kWide + kWide;
  f.b2 = kWide + kWide;
  f.c = kWide + kWide + kWide + kWide + kWide;
  f.d = kWide + kWide + kWide;
  f.e = kWide + kWide + kWide;
  std::string line = DataLine(f);
  // The commas, which are kept as the columns they stand in, become
  // double-byte characters too.
  std::string widened;
  for (char c : line) widened += c == ',' ? kWide : std::string(1, c);
  return widened;
}

std::string Reshaped(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += testing::Reshaped(line);
  return text;
}

std::string ReadTextEra(HourlyFileContents& contents, const std::string& path) {
  platform::TextReader reader(path);
  contents.ReadTextEra(reader);
  return std::string(contents.Text());
}

TEST(HourlyFileContents, TextEraFilesOfShortAndLongLinesOneAfterAnother) {
  TempDir dir;
  const std::string header = "title,2005\r\n12345,name\r\nA,Flag\r\n(mm),,\r\n";
  std::string headerOut;
  {
    WriteBytes(dir / "h.csv", header);
    HourlyFileContents contents;
    headerOut = ReadTextEra(contents, dir / "h.csv");
  }
  ASSERT_EQ(Reshaped({WidestLine()}).size(), 60u);  // 29 columns of two bytes and CR LF

  HourlyFileContents contents;  // one for every file, as in a conversion
  const std::size_t counts[] = {1, 744, 3, 2000, 0, 744};
  for (std::size_t round = 0; round < std::size(counts); ++round) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < counts[round]; ++i) {
      // Runs of the usual line and of the widest one, so that the room made
      // for usual lines runs out in some files and not in others.
      const bool wide = round % 2 == 1 ? (i / 7) % 2 == 0 : i + 1 == counts[round];
      lines.push_back(wide ? WidestLine()
                           : testing::DataLineAt(static_cast<int>(i / 24 % 31 + 1), static_cast<int>(i % 24 + 1)));
    }
    std::string file = header;
    for (const std::string& line : lines) file += line + "\r\n";
    WriteBytes(dir / "f.csv", file);
    EXPECT_EQ(ReadTextEra(contents, dir / "f.csv"), headerOut + Reshaped(lines)) << "file " << round;
  }
}

}  // namespace
}  // namespace dorvax
