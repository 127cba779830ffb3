// The reader takes most lines straight from its buffer and falls back to
// refilling it when a line (or the LF after its CR) runs past the bytes
// read so far. Both ways must cut the same lines: files of random CR, LF and
// text runs, sized around the 64 KiB read chunk, are read whole and with a
// byte limit per line and compared with a plain splitter.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "support/temp_dir.h"

namespace dorvax::platform {
namespace {

using dorvax::testing::ReadBytes;
using dorvax::testing::TempDir;
using dorvax::testing::WriteBytes;

// A line ends at CR LF or at a lone CR; a lone LF belongs to the line; the
// last line needs no end.
std::vector<std::string> Split(const std::string& bytes, std::size_t keep) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::size_t cr = bytes.find('\r', at);
    std::size_t end = cr == std::string::npos ? bytes.size() : cr;
    lines.push_back(bytes.substr(at, std::min(end - at, keep)));
    if (cr == std::string::npos) break;
    at = cr + 1;
    if (at < bytes.size() && bytes[at] == '\n') ++at;
  }
  return lines;
}

std::vector<std::string> Read(const std::string& path, std::size_t keep) {
  TextReader reader(path);
  std::vector<std::string> lines;
  while (!reader.AtEnd()) lines.emplace_back(reader.ReadLine(keep));
  return lines;
}

std::string RandomText(std::mt19937& rng, std::size_t size) {
  std::string text;
  std::uniform_int_distribution<int> kind(0, 9), run(0, 120);
  while (text.size() < size) {
    int k = kind(rng);
    if (k == 0)
      text += '\r';
    else if (k == 1)
      text += '\n';
    else if (k == 2)
      text += "\r\n";
    else
      text.append(static_cast<std::size_t>(run(rng)), static_cast<char>('a' + k));
  }
  text.resize(size);
  return text;
}

TEST(TextReaderSplit, RandomFilesAroundTheReadChunkSplitAsThePlainRuleSays) {
  TempDir dir;
  std::mt19937 rng(7);
  const std::size_t chunk = 64 * 1024;
  const std::size_t sizes[] = {0, 1, 2, 45, 33000, chunk - 1, chunk, chunk + 1, 2 * chunk - 1, 2 * chunk + 3, 300000};
  for (std::size_t size : sizes) {
    for (int round = 0; round < 3; ++round) {
      std::string text = RandomText(rng, size);
      WriteBytes(dir / "r.txt", text);
      for (std::size_t keep : {std::size_t{0}, std::size_t{43}, std::size_t{512}, std::string::npos}) {
        ASSERT_EQ(Read(dir / "r.txt", keep), Split(text, keep)) << "size " << size << " keep " << keep;
      }
    }
  }
}

TEST(TextReaderSplit, CrLfOnEveryPositionAroundTheChunkBoundary) {
  TempDir dir;
  const std::size_t chunk = 64 * 1024;
  for (std::size_t cr = chunk - 3; cr <= chunk + 2; ++cr) {
    std::string text(cr, 'x');
    text += "\r\nnext\r";
    WriteBytes(dir / "b.txt", text);
    ASSERT_EQ(Read(dir / "b.txt", std::string::npos), Split(text, std::string::npos)) << cr;
    ASSERT_EQ(Read(dir / "b.txt", 10), Split(text, 10)) << cr;
  }
}

// Some lines read one by one, then the rest held and split at once: the
// views of the held lines must still show their bytes after all of them are
// taken (nothing in the buffer moves once the rest is held).
std::vector<std::string> ReadHeld(const std::string& path, std::size_t keep, std::size_t first, bool& held) {
  TextReader reader(path);
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < first && !reader.AtEnd(); ++i) lines.emplace_back(reader.ReadLine(keep));
  held = reader.HoldRest(200 * 1024);
  if (!held) {
    while (!reader.AtEnd()) lines.emplace_back(reader.ReadLine(keep));
    return lines;
  }
  std::vector<std::string_view> views;
  reader.ReadHeldLines(keep, views);
  EXPECT_TRUE(reader.AtEnd());
  lines.insert(lines.end(), views.begin(), views.end());
  return lines;
}

TEST(TextReaderSplit, HeldRestSplitsAsLineByLineReading) {
  TempDir dir;
  std::mt19937 rng(11);
  const std::size_t chunk = 64 * 1024;
  const std::size_t sizes[] = {0, 1, 2, 15, 16, 17, 45, 33000, chunk - 1, chunk, chunk + 1, 2 * chunk + 3, 300000};
  int heldFiles = 0, notHeld = 0;
  for (std::size_t size : sizes) {
    for (int round = 0; round < 3; ++round) {
      std::string text = RandomText(rng, size);
      WriteBytes(dir / "h.txt", text);
      for (std::size_t keep : {std::size_t{0}, std::size_t{43}, std::string::npos}) {
        for (std::size_t first : {0, 1, 4}) {
          bool held = false;
          ASSERT_EQ(ReadHeld(dir / "h.txt", keep, first, held), Split(text, keep))
              << "size " << size << " keep " << keep << " first " << first;
          (held ? heldFiles : notHeld)++;
        }
      }
    }
  }
  EXPECT_GT(heldFiles, 0);
  EXPECT_GT(notHeld, 0);  // 300000 bytes are more than the limit
}

TEST(TextReaderSplit, HeldRestWithMoreLinesThanRoomWasMadeFor) {
  // Room is made for lines of 40 bytes: files of empty and very short lines
  // (up to a line end on every byte), with every kind of line end, make the
  // list grow while it is being filled.
  TempDir dir;
  const std::string pieces[] = {"\r", "\r\n", "\n\r", "a\r", "\r\r\n"};
  for (const std::string& piece : pieces) {
    for (std::size_t count : {1, 63, 64, 65, 200, 5000}) {
      std::string text;
      for (std::size_t i = 0; i < count; ++i) text += piece;
      WriteBytes(dir / "d.txt", text);
      for (std::size_t first : {0, 1}) {
        bool held = false;
        ASSERT_EQ(ReadHeld(dir / "d.txt", 43, first, held), Split(text, 43)) << count << " of " << piece.size();
        EXPECT_TRUE(held);
      }
    }
  }
}

TEST(TextReaderSplit, HeldRestAfterACrAtTheEndOfTheBytesRead) {
  // A line ending exactly at the end of the bytes read so far leaves its LF
  // unread: the held lines must not start with it.
  TempDir dir;
  const std::size_t chunk = 64 * 1024;
  for (std::size_t cr : {chunk - 2, chunk - 1, chunk, 2 * chunk - 2, 2 * chunk - 1, 2 * chunk}) {
    std::string text(cr, 'x');
    text += "\r\nnext\r\rlast";
    WriteBytes(dir / "c.txt", text);
    bool held = false;
    ASSERT_EQ(ReadHeld(dir / "c.txt", std::string::npos, 1, held), Split(text, std::string::npos)) << cr;
    EXPECT_TRUE(held);
  }
}

TEST(TextWriterText, TextWithItsLineEndsIsWrittenAsItIsAfterBufferedLines) {
  TempDir dir;
  TextWriter w;
  w.Open(dir / "w.txt");
  w.WriteLine("first");
  w.WriteText("");
  w.WriteText("a\r\nb\r\n");
  w.WriteLine("last");
  w.Close();
  EXPECT_EQ(ReadBytes(dir / "w.txt"), "first\r\na\r\nb\r\nlast\r\n");
}

}  // namespace
}  // namespace dorvax::platform
