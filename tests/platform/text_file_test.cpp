#include "platform/text_file.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(ReadAllLines(dir / "a.txt"),
            (std::vector<std::string>{"one", "two", "three\nstill three", "last"}));
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

TEST(Cp932, PositionsCountCharactersByLeadBytes) {
  // "ab" + two double-byte characters + "c"
  std::string text = "ab\x93\xFA\x96\x7B" "c";
  EXPECT_EQ(cp932::CharCount(text), 5u);
  EXPECT_EQ(cp932::Mid(text, 3, 1), "\x93\xFA");
  EXPECT_EQ(cp932::Mid(text, 4, 2), "\x96\x7B" "c");
  EXPECT_EQ(cp932::Mid(text, 6, 3), "");
  EXPECT_EQ(cp932::MidToEnd(text, 5), "c");
  // A trail byte in the ASCII range is not a character of its own.
  std::string so = "\x83\x5C" "x";  // a double-byte character whose trail byte is a backslash
  EXPECT_EQ(cp932::CharCount(so), 2u);
  EXPECT_EQ(cp932::CharAt(so, 2), "x");
}

}  // namespace
}  // namespace dorvax::platform
