#include "platform/read_ahead.h"

#include <algorithm>
#include <system_error>

#ifndef _WIN32
#include <pthread.h>
#include <signal.h>
#endif
#ifdef __linux__
#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include "platform/file_handle.h"
#include "platform/line_ends.h"
#include "platform/text_file.h"

namespace dorvax::platform {

static_assert(ReadAheadFile::kMaxBytes <= kTextFirstReadBytes);

namespace {
// A buffer holds a file of up to kMaxBytes - 1 bytes and the room behind it
// that TextReader::HoldRest makes for the search of the line ends.
constexpr std::size_t kBufferBytes = ReadAheadFile::kMaxBytes + kLineEndBlock + 1;

// A file the thread opened, possibly before its turn, having told the
// system that it will be read.
struct OpenedFile {
  FileHandle handle;
  bool regular = true;              // false: no regular file, left to the steps
  std::optional<RunError> failure;  // opening it failed
  uint64_t size = kUnknownSize;     // its size when it was opened
  static constexpr uint64_t kUnknownSize = ~uint64_t{0};
};

void OpenFileAhead(const std::string& path, OpenedFile& opened, bool advise) noexcept {
  opened.failure.reset();
  opened.regular = true;
  opened.size = OpenedFile::kUnknownSize;
  try {
    opened.regular = opened.handle.OpenToReadAhead(path, &opened.size);
    if (opened.regular && advise) opened.handle.AdviseWillRead();
  } catch (const RunError& error) {
    opened.failure = error;
  } catch (...) {
    opened.regular = false;
  }
}

// Reads an opened file whole into `file` (of which `size` bytes are read
// already) and closes it; never raises, whatever happens is recorded in
// `file` as the steps' own reads would meet it: a file shorter than the
// buffer comes in their first read and its end in the second. Once the
// bytes of its size when it was opened are read, its end is not looked for
// with another read.
void ReadOpenedFileAhead(ReadAheadFile& file, OpenedFile& opened, std::size_t size, bool atEnd) noexcept {
  try {
    while (!atEnd && size < ReadAheadFile::kMaxBytes && size != opened.size) {
      const std::size_t got = opened.handle.ReadAhead(file.bytes.data() + size, ReadAheadFile::kMaxBytes - size);
      atEnd = got == 0;
      size += got;
    }
    if (size >= ReadAheadFile::kMaxBytes) {
      file.byTheSteps = true;  // as large as the buffer
    } else {
      file.readSizes[0] = size;
      file.readSizes[1] = 0;
      file.reads = size == 0 ? 1 : 2;
    }
  } catch (const RunError& error) {
    file.readSizes[0] = size;
    file.reads = size == 0 ? 0 : 1;
    file.readFailure = error;
  } catch (...) {
    file.byTheSteps = true;
  }
  opened.handle.CloseQuietly();
}

}  // namespace

#ifdef __linux__
void FileReadAhead::Sleeper::SleepWhile(uint32_t woken) {
  ::syscall(SYS_futex, &woken_, FUTEX_WAIT_PRIVATE, woken, nullptr, nullptr, 0);
}

void FileReadAhead::Sleeper::Notify() {
  woken_.fetch_add(1);
  ::syscall(SYS_futex, &woken_, FUTEX_WAKE_PRIVATE, 1, nullptr, nullptr, 0);
}
#else
void FileReadAhead::Sleeper::SleepWhile(uint32_t woken) {
  std::unique_lock<std::mutex> lock(mutex_);
  woke_.wait(lock, [&] { return woken_.load() != woken; });
}

void FileReadAhead::Sleeper::Notify() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    woken_.fetch_add(1);
  }
  woke_.notify_all();
}
#endif

FileReadAhead::FileReadAhead(std::size_t files)
    : buffers_(files ? std::make_unique<Buffer[]>(files) : nullptr), bufferCount_(static_cast<uint32_t>(files)) {}

FileReadAhead::~FileReadAhead() { Stop(); }

void FileReadAhead::Begin(std::vector<std::string> paths) {
  if (bufferCount_ == 0 || stopped_) return;
  LeaveList();
  paths_ = std::move(paths);
  nextTake_ = 0;
  taken_ = false;
  for (uint32_t b = 0; b < bufferCount_; ++b) buffers_[b].holds.store(0);
  claimed_.store(0);
  released_.store(0);
  held_.store(0);
  giveUp_.store(false);
  if (paths_.size() < 2) return;  // the steps will take the only file at once
  if (!thread_.joinable() && !StartThread()) {
    stopped_ = true;  // no thread to be had: the steps read every file
    return;
  }
  listsBegun_.fetch_add(1);
  threadSleeps_.WakeAlways();
}

void FileReadAhead::LeaveList() {
  if (listsLeft_.load() == listsBegun_.load()) return;
  giveUp_.store(true);
  threadSleeps_.WakeAlways();
  stepsSleep_.Until(Sleeper::kNoCount, [&] { return listsLeft_.load() == listsBegun_.load() || threadEnded_.load(); });
}

ReadAheadFile* FileReadAhead::Take(const std::string& path) {
  if (bufferCount_ == 0 || stopped_) return nullptr;
  if (nextTake_ >= paths_.size() || paths_[nextTake_] != path) {
    LeaveList();
    paths_.clear();
    nextTake_ = 0;
    return nullptr;
  }
  const uint32_t index = nextTake_++;
  taken_ = true;
  Buffer& buffer = buffers_[index % bufferCount_];
  if (buffer.holds.load(std::memory_order_acquire) != index + 1) {
    uint32_t unclaimed = index;
    if (claimed_.compare_exchange_strong(unclaimed, index + 1)) return nullptr;  // not begun: the steps' own
    stepsSleep_.Until(index + 1, [&] { return buffer.holds.load() == index + 1 || threadEnded_.load(); });
    if (threadEnded_.load()) return nullptr;
  }
  return buffer.file.byTheSteps ? nullptr : &buffer.file;
}

void FileReadAhead::Release() {
  if (!taken_) return;
  taken_ = false;
  Buffer& buffer = buffers_[(nextTake_ - 1) % bufferCount_];
  if (buffer.holds.load() == nextTake_) held_.fetch_sub(1);
  released_.store(nextTake_);
  threadSleeps_.Wake(nextTake_);
}

void FileReadAhead::Stop() noexcept {
  stopped_ = true;
  stop_.store(true);
  giveUp_.store(true);
  threadSleeps_.WakeAlways();
  if (thread_.joinable()) thread_.join();
}

std::size_t FileReadAhead::FilesHeld() const { return held_.load(); }

// The thread is started with every signal blocked, so that a signal sent to
// the process (Ctrl+C) reaches the steps' thread as before, whose handlers
// expect it there, and never interrupts the reading.
bool FileReadAhead::StartThread() {
#ifndef _WIN32
  sigset_t all, before;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &before);
#endif
  bool started = true;
  try {
    thread_ = std::thread([this] { ReadListsUntilStopped(); });
  } catch (const std::system_error&) {
    started = false;
  }
#ifndef _WIN32
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
#endif
  return started;
}

void FileReadAhead::ReadListsUntilStopped() noexcept {
  try {
    ReadLists();
  } catch (...) {
    // Whatever ended the thread, the steps read the files it has not read.
    threadEnded_.store(true);
    stepsSleep_.WakeAlways();
  }
}

// The thread: each list's files in order, each into the buffer the steps
// have given back, handed over by marking the buffer as holding it; a file
// the steps claimed first is theirs.
void FileReadAhead::ReadLists() {
  std::vector<OpenedFile> openedAhead(bufferCount_);  // file i in openedAhead[i % bufferCount_]
  uint32_t list = 0;
  for (;;) {
    threadSleeps_.Until(Sleeper::kNoCount, [&] { return stop_.load() || listsBegun_.load() != list; });
    if (stop_.load()) return;
    list = listsBegun_.load();
    const uint32_t count = static_cast<uint32_t>(paths_.size());
    // Files are opened in their turn while they come from the system's
    // cache. Once one has to come from the disk, the files after it are
    // opened ahead, as many as there are buffers, and the system told to
    // read them, so that the disk reads several at once.
    bool fromDisk = false;
    bool systemTells = true;  // whether the file system tells what is in its cache
    uint32_t openedUpTo = 0;  // files opened: those before this one
    for (uint32_t index = claimed_.load(); index < count && WaitForRoom(index); index = claimed_.load()) {
      if (!claimed_.compare_exchange_strong(index, index + 1)) continue;
      const uint32_t openUpTo = fromDisk ? std::min(count, index + bufferCount_) : index + 1;
      for (uint32_t next = std::max(openedUpTo, index); next < openUpTo; ++next)
        OpenFileAhead(paths_[next], openedAhead[next % bufferCount_], fromDisk);
      openedUpTo = std::max(openedUpTo, openUpTo);
      Buffer& buffer = buffers_[index % bufferCount_];
      OpenedFile& opened = openedAhead[index % bufferCount_];
      ReadAheadFile& file = buffer.file;
      held_.fetch_add(1);
      try {
        file.path = paths_[index];
        file.byTheSteps = !opened.regular;
        file.openFailure = opened.failure;
        file.readFailure.reset();
        file.reads = 0;
        if (opened.regular && !opened.failure) {
          if (file.bytes.size() != kBufferBytes) file.bytes.resize(kBufferBytes);
          std::size_t size = 0;
          bool atEnd = false;
          if (!fromDisk && systemTells) {
            const FileHandle::CachedRead cached =
                opened.handle.ReadAheadIfCached(file.bytes.data(), ReadAheadFile::kMaxBytes);
            systemTells = !cached.cannotTell;
            if (!cached.notCached) {
              size = cached.bytes;
              atEnd = size == 0;
            } else {
              fromDisk = true;
              for (uint32_t next = index + 1; next < std::min(count, index + bufferCount_); ++next)
                OpenFileAhead(paths_[next], openedAhead[next % bufferCount_], true);
              openedUpTo = std::min(count, index + bufferCount_);
            }
          }
          ReadOpenedFileAhead(file, opened, size, atEnd);
        }
      } catch (const RunError& error) {
        file.readFailure = error;  // the first read of the file failed
      } catch (...) {
        file.byTheSteps = true;
      }
      opened.handle.CloseQuietly();
      buffer.holds.store(index + 1, std::memory_order_release);
      stepsSleep_.Wake(index + 1);
    }
    for (OpenedFile& opened : openedAhead) opened.handle.CloseQuietly();
    listsLeft_.store(list);
    stepsSleep_.WakeAlways();
  }
}

// File `index` goes to the buffer of file index - bufferCount_, free once
// the steps are done with that file. When it is not, the thread sleeps until
// half the buffers are free, rather than being woken for each one, so that
// it reads several files every time it wakes; the steps always come to that
// point before they can need a file the thread has not read.
bool FileReadAhead::WaitForRoom(uint32_t index) {
  if (index >= bufferCount_ && released_.load() <= index - bufferCount_) {
    const uint32_t wanted = index - bufferCount_ + (bufferCount_ + 1) / 2;
    threadSleeps_.Until(wanted, [&] { return released_.load() >= wanted || giveUp_.load(); });
  }
  return !giveUp_.load();
}

}  // namespace dorvax::platform
