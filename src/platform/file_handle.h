#pragma once
// An open file of the operating system, closed when it goes out of scope.
// All reads and writes of the converter pass through here, so errors are
// mapped to error numbers in one place and faults can be injected.
#include <cstddef>
#include <cstdint>
#include <string>

namespace dorvax::platform {

enum class OpenMode {
  kRead,            // existing file, reading
  kWriteTruncate,   // created, or emptied when it exists
  kWriteFromStart,  // created when missing; written from its first byte, not shortened
};

class FileHandle {
 public:
  FileHandle() = default;
  FileHandle(const std::string& path, OpenMode mode) { Open(path, mode); }
  ~FileHandle();
  FileHandle(FileHandle&& other) noexcept;
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  void Open(const std::string& path, OpenMode mode);
  bool IsOpen() const;
  const std::string& path() const { return path_; }

  // Reads up to `size` bytes; 0 at the end of the file.
  std::size_t Read(void* buffer, std::size_t size);

  // Opening and reading on the read-ahead thread, on behalf of the steps
  // (FileReadAhead): no fault check and no count of the bytes here, since
  // the steps make both themselves, in their own order, when they take the
  // bytes. Opening never waits for a writer (a FIFO put in place of a file);
  // an entry that is no regular file is not opened (false), for the steps
  // to open it themselves. Failures are raised as by Open and Read.
  // `size` receives the file's size as it was when it was opened, where
  // the system tells it cheaply (else it is left alone).
  bool OpenToReadAhead(const std::string& path, std::uint64_t* size = nullptr);
  std::size_t ReadAhead(void* buffer, std::size_t size);
  // The same read, made only as far as the bytes are in the system's cache:
  // nothing (notCached, and the disk begins to read them) when they are not.
  // Where the file system cannot tell, an ordinary read (cannotTell).
  struct CachedRead {
    std::size_t bytes = 0;
    bool notCached = false;
    bool cannotTell = false;
  };
  CachedRead ReadAheadIfCached(void* buffer, std::size_t size);
  // Tells the system that the whole file will be read soon, so that a disk
  // reads it while other files are read (POSIX; elsewhere nothing).
  void AdviseWillRead() noexcept;
  // Writes all `size` bytes or throws.
  void WriteAll(const void* data, std::size_t size);
  // Closes and reports a failure of the close itself.
  void Close();
  // Closes without reporting anything (for failure paths).
  void CloseQuietly() noexcept;
  // Closes a file written by the converter and gives it normal attributes,
  // as SetNormalAttributes does for its path (readable and writable by its
  // owner). On POSIX systems this is done on the open file before it is
  // closed, which spares a lookup of the path for every file written.
  void CloseAsNormalFile();

 private:
  void OpenNative(const std::string& path, OpenMode mode);
  std::size_t ReadNative(void* buffer, std::size_t size);

#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
  std::string path_;
};

// Number of files of the converter currently open (for leak checks in tests).
int OpenFileCount();

}  // namespace dorvax::platform
