// The read-ahead thread hands the files of its list over in their order and
// holds no more of them than it has room for; a reader opened on a file it
// read gives what reading the file by its path gives: the same lines, the
// same failure at the same point, the same bytes counted. Files it does not
// read whole are left to the steps.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_handle.h"
#include "platform/io_counters.h"
#include "platform/read_ahead.h"
#include "platform/run_error.h"
#include "platform/text_file.h"
#include "support/temp_dir.h"

namespace dorvax::platform {
namespace {

using dorvax::testing::MakeFolders;
using dorvax::testing::TempDir;
using dorvax::testing::WriteBytes;

// The first lines one by one, the rest held and split, as an hourly file is
// read; or the failure met on the way; and the bytes counted as read.
std::string ReadAsTheWalkDoes(TextReader& reader, const std::function<void()>& open) {
  std::string seen;
  const uint64_t before = IoCounters().bytesRead;
  try {
    open();
    seen.append(reader.ReadLine()).append("|");
    seen.append(reader.ReadLine(43)).append("|");
    if (reader.HoldRest(1024 * 1024))
      reader.ForEachHeldLine(43, [&](std::string_view line) { seen.append(line).append("|"); });
    else
      while (!reader.AtEnd()) seen.append(reader.ReadLine(43)).append("|");
  } catch (const RunError& e) {
    seen += "error " + std::to_string(e.number()) + ": " + e.description();
  }
  reader.Close();
  return seen + " read " + std::to_string(IoCounters().bytesRead - before);
}

std::string Lines(std::size_t bytes) {
  std::string text = "title\r\n12345 header\r\n";
  for (int i = 0; text.size() < bytes; ++i) text += "01," + std::to_string(i % 24 + 1) + ",  123,0,08,0,12,0\r\n";
  text.resize(bytes);
  return text;
}

// Drops a file's pages from the system's cache (POSIX file systems that let
// clean pages go), so that reading it goes to the disk.
void DropFromCache(const std::string& path) {
#ifndef _WIN32
  int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return;
  ::fsync(fd);
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  ::close(fd);
#else
  (void)path;
#endif
}

void WaitUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 10000 && !done(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_TRUE(done()) << "the thread did not get there";
}

TEST(FileReadAhead, FilesComeInTheirOrderAndReadAsByTheirPath) {
  struct File {
    const char* name;
    std::string bytes;
    bool readAhead;
  };
  const std::size_t buffer = ReadAheadFile::kMaxBytes;
  const std::vector<File> files = {
      {"usual", Lines(33000), true},
      {"empty", "", true},
      {"one line", "only", true},
      {"cr at the end", "a\r\nb\r", true},
      {"a long line", std::string(3000, 'x') + "\r\ny\r\nz", true},
      {"as large as a buffer", Lines(buffer), false},
      {"just under a buffer", Lines(buffer - 1), true},
      {"larger", Lines(300000), false},
      {"missing", "", true},
#ifdef _WIN32
      {"a folder", "", true},  // opening it fails
#else
      {"a folder", "", false},  // opening it works and reading it fails: no regular file
#endif
      {"usual again", Lines(700), true},
  };
  TempDir dir;
  std::vector<std::string> paths;
  for (const File& f : files) {
    paths.push_back(dir / f.name);
    if (f.name == std::string("a folder"))
      MakeFolders(paths.back() + "/");
    else if (f.name != std::string("missing"))
      WriteBytes(paths.back(), f.bytes);
  }
  const int openBefore = OpenFileCount();
  // From the system's cache, and with the files' pages dropped from it first
  // (where the file system lets them go), when the thread opens the files
  // ahead and has the disk read them.
  for (bool dropped : {false, true}) {
    SCOPED_TRACE(dropped ? "pages dropped" : "pages in the cache");
    if (dropped)
      for (const std::string& path : paths) DropFromCache(path);
    // Room for all, and all read before the first is taken, so that each
    // file comes from the thread when it can.
    FileReadAhead ahead(files.size());
    ahead.Begin(paths);
    WaitUntil([&] { return ahead.FilesHeld() == files.size(); });
    // One reader for all files in each way, as the walk keeps one.
    TextReader byPath, fromAhead;
    for (std::size_t i = 0; i < files.size(); ++i) {
      SCOPED_TRACE(files[i].name);
      ReadAheadFile* file = ahead.Take(paths[i]);
      EXPECT_EQ(file != nullptr, files[i].readAhead);
      EXPECT_EQ(ReadAsTheWalkDoes(fromAhead, [&] { file ? fromAhead.Open(*file) : fromAhead.Open(paths[i]); }),
                ReadAsTheWalkDoes(byPath, [&] { byPath.Open(paths[i]); }));
      ahead.Release();
    }
    ahead.Stop();
    EXPECT_EQ(OpenFileCount(), openBefore);
  }
}

TEST(FileReadAhead, HoldsNoMoreFilesThanItsRoomAndStopsWithTheListUnread) {
  TempDir dir;
  std::vector<std::string> paths;
  for (int i = 0; i < 40; ++i) {
    paths.push_back(dir / (std::to_string(i) + ".csv"));
    WriteBytes(paths.back(), Lines(1000));
  }
  const int openBefore = OpenFileCount();
  FileReadAhead ahead(3);
  ahead.Begin(paths);
  WaitUntil([&] { return ahead.FilesHeld() == 3; });
  ASSERT_NE(ahead.Take(paths[0]), nullptr);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(ahead.FilesHeld(), 3u) << "the file taken keeps its buffer until it is released";
  // Two files done: two buffers free, and the thread fills them, no more.
  ahead.Release();
  ASSERT_NE(ahead.Take(paths[1]), nullptr);
  ahead.Release();
  WaitUntil([&] { return ahead.FilesHeld() == 3; });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(ahead.FilesHeld(), 3u);
  // The thread waits for buffers, with 35 files of the list unread.
  ahead.Stop();
  EXPECT_EQ(OpenFileCount(), openBefore);
  EXPECT_EQ(ahead.Take(paths[1]), nullptr) << "nothing is handed over after a stop";
}

TEST(FileReadAhead, ANewListDropsTheOldAndAFileOutOfOrderEndsIt) {
  TempDir dir;
  for (const char* name : {"a0", "a1", "a2", "b0", "b1", "b2"}) WriteBytes(dir / name, name);
  FileReadAhead ahead(3);
  ahead.Begin({dir / "a0", dir / "a1", dir / "a2"});
  WaitUntil([&] { return ahead.FilesHeld() == 3; });
  ASSERT_NE(ahead.Take(dir / "a0"), nullptr);
  ahead.Release();
  ahead.Begin({dir / "b0", dir / "b1", dir / "b2"});
  WaitUntil([&] { return ahead.FilesHeld() == 3; });
  ReadAheadFile* b0 = ahead.Take(dir / "b0");
  ASSERT_NE(b0, nullptr);
  TextReader reader;
  reader.Open(*b0);
  EXPECT_EQ(reader.ReadLine(), "b0");
  reader.Close();
  ahead.Release();
  EXPECT_EQ(ahead.Take(dir / "a1"), nullptr) << "b1 was next";
  EXPECT_EQ(ahead.Take(dir / "b1"), nullptr) << "the list ended at the file out of order";
}

}  // namespace
}  // namespace dorvax::platform
