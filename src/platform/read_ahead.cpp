#include "platform/read_ahead.h"

#include <algorithm>
#include <system_error>

#ifndef _WIN32
#include <pthread.h>
#include <signal.h>
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
}  // namespace

void ReadWholeFileAhead(ReadAheadFile& file) noexcept {
  file.byTheSteps = false;
  file.openFailure.reset();
  file.readFailure.reset();
  file.reads = 0;
  try {
    if (file.bytes.size() != kBufferBytes) file.bytes.resize(kBufferBytes);
    FileHandle handle;
    try {
      if (!handle.OpenToReadAhead(file.path)) {
        file.byTheSteps = true;
        return;
      }
    } catch (const RunError& error) {
      file.openFailure = error;
      return;
    }
    // A file shorter than the buffer comes in one read and its end in the
    // next, as in the steps' own first two reads.
    std::size_t size = 0;
    while (file.reads < 2) {
      std::size_t got;
      try {
        got = handle.ReadAhead(file.bytes.data() + size, ReadAheadFile::kMaxBytes - size);
      } catch (const RunError& error) {
        file.readFailure = error;
        return;
      }
      file.readSizes[file.reads++] = got;
      if (got == 0) return;
      size += got;
      if (size == ReadAheadFile::kMaxBytes) break;
    }
    file.byTheSteps = true;  // as large as the buffer, or growing while read
  } catch (...) {
    file.openFailure.reset();
    file.readFailure.reset();
    file.byTheSteps = true;
  }
}

FileReadAhead::FileReadAhead(std::size_t files) : slots_(files) {}

FileReadAhead::~FileReadAhead() { Stop(); }

void FileReadAhead::Begin(std::vector<std::string> paths) {
  if (slots_.empty()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (stop_) return;
    paths_ = std::move(paths);
    nextRead_ = nextTake_ = 0;
    ++list_;
    for (Slot& slot : slots_)
      if (slot.state == SlotState::kReady) slot.state = SlotState::kFree;
    if (!thread_.joinable() && !paths_.empty() && !StartThread()) {
      stop_ = true;  // no thread to be had: the steps read every file
      paths_.clear();
      return;
    }
  }
  wakeThread_.notify_one();
}

ReadAheadFile* FileReadAhead::Take(const std::string& path) {
  if (slots_.empty()) return nullptr;
  std::unique_lock<std::mutex> lock(mutex_);
  if (stop_) return nullptr;
  if (nextTake_ >= paths_.size() || paths_[nextTake_] != path) {
    paths_.clear();
    nextRead_ = nextTake_ = 0;
    ++list_;
    for (Slot& slot : slots_)
      if (slot.state == SlotState::kReady) slot.state = SlotState::kFree;
    return nullptr;
  }
  const std::size_t index = nextTake_++;
  Slot* slot = nullptr;
  wakeSteps_.wait(lock, [&] { return stop_ || (slot = ReadySlot(index)) != nullptr; });
  if (!slot) return nullptr;
  if (slot->file.byTheSteps) {
    slot->state = SlotState::kFree;
    WakeThreadWhenWorthIt(lock);
    return nullptr;
  }
  slot->state = SlotState::kTaken;
  taken_ = slot;
  return &slot->file;
}

void FileReadAhead::Release() {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!taken_) return;
  taken_->state = SlotState::kFree;
  taken_ = nullptr;
  WakeThreadWhenWorthIt(lock);
}

// The thread sleeps when every buffer is full; it is woken once half of
// them are free again rather than for each one, so that it reads several
// files for every time it is woken.
void FileReadAhead::WakeThreadWhenWorthIt(std::unique_lock<std::mutex>& lock) {
  const bool worthIt = FreeSlots() == WakeAtFreeSlots();
  lock.unlock();
  if (worthIt) wakeThread_.notify_one();
}

std::size_t FileReadAhead::WakeAtFreeSlots() const { return (slots_.size() + 1) / 2; }

std::size_t FileReadAhead::FreeSlots() const {
  std::size_t free = 0;
  for (const Slot& slot : slots_)
    if (slot.state == SlotState::kFree) ++free;
  return free;
}

void FileReadAhead::Stop() noexcept {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
    paths_.clear();
  }
  wakeThread_.notify_all();
  if (thread_.joinable()) thread_.join();
}

std::size_t FileReadAhead::FilesHeld() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return slots_.size() - FreeSlots();
}

FileReadAhead::Slot* FileReadAhead::FreeSlot() {
  for (Slot& slot : slots_)
    if (slot.state == SlotState::kFree) return &slot;
  return nullptr;
}

FileReadAhead::Slot* FileReadAhead::ReadySlot(std::size_t index) {
  for (Slot& slot : slots_)
    if (slot.state == SlotState::kReady && slot.index == index) return &slot;
  return nullptr;
}

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
    thread_ = std::thread([this] { ReadFilesUntilStopped(); });
  } catch (const std::system_error&) {
    started = false;
  }
#ifndef _WIN32
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
#endif
  return started;
}

void FileReadAhead::ReadFilesUntilStopped() noexcept {
  try {
    ReadFiles();
  } catch (...) {
    // Whatever ended the thread, the steps read the files it has not read.
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    wakeSteps_.notify_all();
  }
}

// The thread: the next file of the list into a free buffer, in list order,
// for as long as there are both; the file itself is read without the lock.
void FileReadAhead::ReadFiles() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    if (stop_) return;
    Slot* slot = nextRead_ < paths_.size() ? FreeSlot() : nullptr;
    if (!slot) {
      // Every buffer is full, or the list is read: sleeps until a new list
      // or, unless the list ends sooner, until the free buffers the steps
      // wake it at (which they always come to before they can wait for a
      // file themselves: then every buffer is free).
      wakeThread_.wait(lock, [&] {
        return stop_ || (nextRead_ < paths_.size() &&
                         FreeSlots() >= std::min(WakeAtFreeSlots(), paths_.size() - nextRead_));
      });
      if (stop_) return;
      slot = FreeSlot();
    }
    slot->state = SlotState::kReading;
    slot->index = nextRead_;
    slot->file.path = paths_[nextRead_];
    ++nextRead_;
    const uint64_t list = list_;
    lock.unlock();
    ReadWholeFileAhead(slot->file);
    lock.lock();
    if (list != list_ || stop_) {
      slot->state = SlotState::kFree;  // read for a list that has ended
      continue;
    }
    slot->state = SlotState::kReady;
    lock.unlock();
    wakeSteps_.notify_one();
    lock.lock();
  }
}

}  // namespace dorvax::platform
