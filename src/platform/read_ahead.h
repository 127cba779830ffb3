#pragma once
// Files read ahead on a thread of their own while the steps work through the
// files before them. The steps name the files they will open, in that
// order; the thread reads each one whole into one of a few buffers of a
// fixed size and hands them over in the same order, so that reading a file
// (in the kernel) and working through the one before (here) overlap.
//
// What the steps see does not change. A file read ahead is opened by the
// steps through TextReader::Open(ReadAheadFile&), which meets the outcome of
// opening it and of each read (a failure included) at the moment the steps
// come to that open or read, with the fault checks and byte counts of
// reading it there; the thread itself makes no fault checks. A file the
// thread does not read whole (as large as a buffer, or no regular file) is
// opened and read by the steps themselves.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/run_error.h"

namespace dorvax::platform {

// One file as the read-ahead thread read it.
struct ReadAheadFile {
  // Files shorter than this are read ahead: the first read of a TextReader
  // (kTextFirstReadBytes) takes all of such a file, and the second finds
  // its end, so the steps meet the same two reads.
  static constexpr std::size_t kMaxBytes = 128 * 1024;

  std::string path;
  bool byTheSteps = false;              // not read ahead: the steps open and read the file
  std::optional<RunError> openFailure;  // opening it failed
  std::vector<char> bytes;              // the bytes read, with room behind them
  std::size_t readSizes[2] = {0, 0};    // what each read gave, 0 at the end of the file
  int reads = 0;                        // the reads made (of readSizes)
  std::optional<RunError> readFailure;  // the read after them failed
};

class FileReadAhead {
 public:
  // At most `files` files are held at once, read ahead or taken by the
  // steps (so never more than files * kMaxBytes of buffers); 0 reads nothing
  // ahead, and Take always leaves the file to the steps.
  explicit FileReadAhead(std::size_t files);
  // Stops the thread.
  ~FileReadAhead();
  FileReadAhead(const FileReadAhead&) = delete;
  FileReadAhead& operator=(const FileReadAhead&) = delete;

  // The files the steps will open next, in that order. What was read ahead
  // for an earlier list and not taken is dropped.
  void Begin(std::vector<std::string> paths);
  // The next file of the list, once it has been read (waiting for it as
  // long as it takes). Null when the steps read it themselves: it was not
  // read ahead, or `path` is not the next of the list (which then ends).
  // The file stays held until Release, which must come before the next Take.
  ReadAheadFile* Take(const std::string& path);
  // The file taken last is done with (its reader closed): its buffer is
  // free for a file further on.
  void Release();
  // Ends the reading: the thread finishes the read it is in, closes its file
  // and ends; nothing is read ahead after this. Called by the destructor.
  void Stop() noexcept;

  // Files read or being read ahead and not yet given back, the one taken
  // included.
  std::size_t FilesHeld() const;

 private:
  enum class SlotState { kFree, kReading, kReady, kTaken };
  struct Slot {
    ReadAheadFile file;
    std::size_t index = 0;  // in the list
    SlotState state = SlotState::kFree;
  };

  bool StartThread();
  void ReadFilesUntilStopped() noexcept;
  void ReadFiles();
  Slot* FreeSlot();
  std::size_t FreeSlots() const;
  std::size_t WakeAtFreeSlots() const;
  void WakeThreadWhenWorthIt(std::unique_lock<std::mutex>& lock);
  Slot* ReadySlot(std::size_t index);

  std::vector<Slot> slots_;
  std::vector<std::string> paths_;
  std::size_t nextRead_ = 0;
  std::size_t nextTake_ = 0;
  uint64_t list_ = 0;  // counts the lists begun; a file read for an earlier one is dropped
  Slot* taken_ = nullptr;
  bool stop_ = false;
  mutable std::mutex mutex_;
  std::condition_variable wakeThread_;
  std::condition_variable wakeSteps_;
  std::thread thread_;
};

// Reads one file as the read-ahead thread does, into `file` (whose path is
// set): never raises, whatever happens is recorded in `file`.
void ReadWholeFileAhead(ReadAheadFile& file) noexcept;

}  // namespace dorvax::platform
