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
// opened and read by the steps themselves, and so is a file the thread has
// not begun when the steps come to it (the steps never wait for a thread
// that is behind or gets no processor). Files are claimed, handed over and
// given back through counts, so that neither side takes a lock or wakes the
// other for a file unless the other sleeps.
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
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
  // The next file of the list, once it has been read (waiting for it while
  // the thread reads it). Null when the steps read it themselves: the thread
  // had not begun it (so the steps never wait for a thread that is behind or
  // gets no processor), it was not read ahead, or `path` is not the next of
  // the list (which then ends). The file stays held until Release, which
  // must come before the next Take.
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
  // One thread sleeping until something the other thread changes comes to
  // pass, woken by it only when it sleeps (it says when it would sleep, and
  // what it waits for), so that neither side takes a lock or makes a system
  // call for a file unless the other waits.
  class Sleeper {
   public:
    // Sleeps until done() holds; `wakeAt` is the count at which Wake(count)
    // is to wake it (done() is looked at again then). kNoCount: only
    // WakeAlways wakes it.
    template <typename Done>
    void Until(uint32_t wakeAt, Done done) {
      for (;;) {
        const uint32_t woken = woken_.load();
        wakeAt_.store(wakeAt);
        if (done()) break;
        SleepWhile(woken);
      }
      wakeAt_.store(kAwake);
    }
    // After the count the sleeper looks at came to `count`.
    void Wake(uint32_t count) {
      if (count >= wakeAt_.load()) Notify();
    }
    // After anything else the sleeper looks at changed.
    void WakeAlways() {
      if (wakeAt_.load() != kAwake) Notify();
    }

    static constexpr uint32_t kNoCount = 0xfffffffeu;

   private:
    static constexpr uint32_t kAwake = 0xffffffffu;
    // Sleeps while woken_ still holds `woken` (without spinning or yielding
    // first: the other side is at work for a while yet).
    void SleepWhile(uint32_t woken);
    void Notify();
    std::atomic<uint32_t> woken_{0};
    std::atomic<uint32_t> wakeAt_{kAwake};
#ifndef __linux__
    // Without a futex, sleeping and waking go through a lock and a condition
    // (the library's atomic wait can miss a wake-up where it has no futex of
    // its own to build on, as with the MinGW runtime).
    std::mutex mutex_;
    std::condition_variable woke_;
#endif
  };

  // The steps' thread: the thread leaves the list it is on (giving it up
  // unless it has read all of it), and they wait until it has.
  void LeaveList();
  bool StartThread();
  // The thread.
  void ReadListsUntilStopped() noexcept;
  void ReadLists();
  // False when the list is given up.
  bool WaitForRoom(uint32_t index);

  // The buffers: file i of a list goes to buffer i % size, which tells by
  // `holds` (i + 1) when the file is in it.
  struct Buffer {
    ReadAheadFile file;
    std::atomic<uint32_t> holds{0};
  };
  std::unique_ptr<Buffer[]> buffers_;
  uint32_t bufferCount_ = 0;
  // The list; changed only while the thread is on no list.
  std::vector<std::string> paths_;
  // The steps' place in the list (their thread only).
  uint32_t nextTake_ = 0;
  bool taken_ = false;
  bool stopped_ = false;

  // Lists begun by the steps and left by the thread: the thread is on a
  // list while they differ.
  std::atomic<uint32_t> listsBegun_{0};
  std::atomic<uint32_t> listsLeft_{0};
  // Within the list: the files claimed (by the thread to read ahead, or by
  // the steps, who read the file themselves when the thread has not begun
  // it), and the files the steps are done with.
  std::atomic<uint32_t> claimed_{0};
  std::atomic<uint32_t> released_{0};
  std::atomic<uint32_t> held_{0};    // buffers the thread filled or fills, not yet released
  std::atomic<bool> giveUp_{false};  // the thread is to leave its list
  std::atomic<bool> stop_{false};
  std::atomic<bool> threadEnded_{false};  // it ended before its time
  Sleeper threadSleeps_;                  // for room, a list, or the end
  Sleeper stepsSleep_;                    // for a file, or the thread leaving its list
  std::thread thread_;
};

}  // namespace dorvax::platform
