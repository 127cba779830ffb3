#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/binary_file.h"
#include "platform/cp932.h"
#include "platform/run_error.h"
#include "support/temp_dir.h"

namespace dorvax::platform {
namespace {

using dorvax::testing::ReadBytes;
using dorvax::testing::TempDir;
using dorvax::testing::WriteBytes;

std::vector<std::string> ReadAllLines(const std::string& path) {
  TextReader reader(path);
  std::vector<std::string> lines;
  while (!reader.AtEnd()) lines.emplace_back(reader.ReadLine());
  return lines;
}

TEST(TextReader, LineEndsAreCrLfOrLoneCrAndTheLastNeedsNone) {
  TempDir dir;
  WriteBytes(dir / "a.txt", "one\r\ntwo\rthree\nstill three\r\nlast");
  EXPECT_EQ(ReadAllLines(dir / "a.txt"), (std::vector<std::string>{"one", "two", "three\nstill three", "last"}));
  WriteBytes(dir / "b.txt", "x\r\n\r\ny\r\n");
  EXPECT_EQ(ReadAllLines(dir / "b.txt"), (std::vector<std::string>{"x", "", "y"}));
  WriteBytes(dir / "c.txt", "");
  EXPECT_TRUE(ReadAllLines(dir / "c.txt").empty());
}

TEST(TextReader, ReadingPastTheEndIsErrorSixtyTwo) {
  TempDir dir;
  WriteBytes(dir / "a.txt", "only\r\n");
  TextReader reader(dir / "a.txt");
  EXPECT_EQ(reader.ReadLine(), "only");
  EXPECT_TRUE(reader.AtEnd());
  try {
    reader.ReadLine();
    FAIL() << "no error";
  } catch (const RunError& e) {
    EXPECT_EQ(e.number(), kErrInputPastEnd);
  }
}

TEST(TextReader, LinesLongerThanTheBufferAndCrLfAcrossChunks) {
  TempDir dir;
  std::string longLine(200000, 'x');
  std::string content;
  // A CR that falls exactly on a chunk boundary with its LF in the next chunk.
  std::string first(64 * 1024 - 1, 'a');
  content = first + "\r\n" + longLine + "\r\n" + "end";
  WriteBytes(dir / "a.txt", content);
  auto lines = ReadAllLines(dir / "a.txt");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], first);
  EXPECT_EQ(lines[1], longLine);
  EXPECT_EQ(lines[2], "end");
}

TEST(TextReader, MissingFileAndMissingFolder) {
  TempDir dir;
  try {
    TextReader r(dir / "nofile.csv");
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(e.number(), kErrFileNotFound);
  }
  try {
    TextReader r(dir / "nofolder/nofile.csv");
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(e.number(), kErrPathNotFound);
  }
}

TEST(TextWriter, WritesTheBytesOfEachLineWithCrLf) {
  TempDir dir;
  TextWriter w;
  w.Open(dir / "out.txt");
  w.WriteLine("\x93\xFA\x96\x7B");  // CP932 bytes are kept as they are
  w.WriteLine("");
  w.Close();
  EXPECT_EQ(ReadBytes(dir / "out.txt"), std::string("\x93\xFA\x96\x7B\r\n\r\n"));
  w.Open(dir / "out.txt");  // an existing file is emptied
  w.WriteLine("x");
  w.Close();
  EXPECT_EQ(ReadBytes(dir / "out.txt"), "x\r\n");
}

TEST(BinaryWriter, FromTheFirstByteOrEmptied) {
  TempDir dir;
  WriteBytes(dir / "b.bin", "0123456789");
  BinaryWriter w;
  w.Open(dir / "b.bin", OpenMode::kWriteFromStart);
  w.WriteBytes(std::string("\xFF\xFF\xF4\x01\x00\x00", 6));
  w.Close();
  EXPECT_EQ(ReadBytes(dir / "b.bin"), std::string("\xFF\xFF\xF4\x01\x00\x00", 6) + "6789");
  w.Open(dir / "b.bin");
  w.WriteBytes("\xFF\x7F");
  w.Close();
  EXPECT_EQ(ReadBytes(dir / "b.bin"), std::string("\xFF\x7F", 2));
}

// The characters of CP932 text one by one, as the lead bytes make them.
std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> chars;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t width = cp932::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    chars.push_back(text.substr(i, width));
    i += width;
  }
  return chars;
}

TEST(Cp932, ColumnsCountCharactersByLeadBytes) {
  // "ab" + two double-byte characters + "c"
  std::string text =
      "ab\x93\xFA\x96\x7B"
      "c";
  cp932::ColumnIndex columns(text, 8);
  EXPECT_EQ(cp932::CharCount(text), 5u);
  EXPECT_EQ(columns.Count(), 5u);
  EXPECT_EQ(columns.At(3), "\x93\xFA");
  EXPECT_EQ(columns.Field(4, 2),
            "\x96\x7B"
            "c");
  EXPECT_EQ(columns.Field(6, 3), "");
  EXPECT_EQ(columns.Rest(5), "c");
  // A trail byte in the ASCII range is not a character of its own.
  std::string so =
      "\x83\x5C"
      "x";  // a double-byte character whose trail byte is a backslash
  EXPECT_EQ(cp932::CharCount(so), 2u);
  EXPECT_EQ(cp932::ColumnIndex(so, 3).At(2), "x");
}

// Every field of random lines - ASCII, double-byte characters, half-width
// katakana, a lead byte cut off at the end, non-ASCII bytes only beyond the
// last column - as the characters one by one give it.
TEST(Cp932, EveryFieldOfRandomLinesAsTheCharactersGiveIt) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> length(0, 60), kind(0, 9), last(1, 50);
  for (int round = 0; round < 3000; ++round) {
    std::string line;
    for (int i = length(rng); i > 0; --i) {
      int k = kind(rng);
      line += k == 0 ? "\x93\xfa" : k == 1 ? "\xe0\x40" : k == 2 ? "\xb1" : std::string(1, static_cast<char>('0' + k));
    }
    if (kind(rng) == 0) line += '\x81';
    const std::size_t lastColumn = static_cast<std::size_t>(last(rng));
    const cp932::ColumnIndex columns(line, lastColumn);
    const auto chars = Characters(line);
    ASSERT_EQ(cp932::CharCount(line), chars.size()) << round;
    ASSERT_EQ(columns.Count(), std::min(chars.size(), lastColumn)) << round;
    for (std::size_t first = 1; first <= lastColumn; ++first) {
      std::string expected;
      for (std::size_t c = first; c <= lastColumn; ++c) {
        if (c <= chars.size()) expected += chars[c - 1];
        ASSERT_EQ(columns.Field(first, c - first + 1), expected) << round << " " << first << " " << c;
      }
    }
    std::string rest;
    for (std::size_t c = lastColumn + 1; c <= chars.size(); ++c) rest += chars[c - 1];
    ASSERT_EQ(columns.Rest(lastColumn + 1), rest) << round;
  }
}

}  // namespace
}  // namespace dorvax::platform
