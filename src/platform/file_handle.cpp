#include "platform/file_handle.h"

#include <atomic>
#include <cerrno>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#endif

#include "platform/fault_injection.h"
#include "platform/file_system.h"
#include "platform/io_counters.h"
#include "platform/native_path.h"
#include "platform/run_error.h"

namespace dorvax::platform {

namespace {
std::atomic<int> g_openFiles{0};

// A missing file is "file not found" when its folder exists and "path not
// found" when the folder on the way is missing.
bool ParentMissing(const std::string& path) {
  std::string parent = ParentOf(path);
  return !parent.empty() && !FolderExists(parent);
}

faults::Op OpenOp(OpenMode mode) { return mode == OpenMode::kRead ? faults::Op::kOpenRead : faults::Op::kOpenWrite; }
}  // namespace

int OpenFileCount() { return g_openFiles.load(); }

FileHandle::~FileHandle() { CloseQuietly(); }

FileHandle::FileHandle(FileHandle&& other) noexcept { *this = std::move(other); }

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    CloseQuietly();
#ifdef _WIN32
    std::swap(handle_, other.handle_);
#else
    std::swap(fd_, other.fd_);
#endif
    path_ = std::move(other.path_);
  }
  return *this;
}

void FileHandle::Open(const std::string& path, OpenMode mode) {
  CloseQuietly();
  faults::Check(OpenOp(mode), path);
  OpenNative(path, mode);
}

std::size_t FileHandle::Read(void* buffer, std::size_t size) {
  faults::Check(faults::Op::kRead, path_);
  std::size_t got = ReadNative(buffer, size);
  CountBytesRead(got);
  return got;
}

std::size_t FileHandle::ReadAhead(void* buffer, std::size_t size) { return ReadNative(buffer, size); }

#ifdef _WIN32

bool FileHandle::IsOpen() const { return handle_ != nullptr; }

void FileHandle::OpenNative(const std::string& path, OpenMode mode) {
  DWORD access = mode == OpenMode::kRead ? GENERIC_READ : GENERIC_WRITE;
  DWORD share = FILE_SHARE_READ;
  DWORD disposition = mode == OpenMode::kRead            ? OPEN_EXISTING
                      : mode == OpenMode::kWriteTruncate ? CREATE_ALWAYS
                                                         : OPEN_ALWAYS;
  HANDLE h = CreateFileW(ToWide(path).c_str(), access, share, nullptr, disposition,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND && ParentMissing(path)) code = ERROR_PATH_NOT_FOUND;
    throw ErrorFromWin32(code, path);
  }
  handle_ = h;
  path_ = path;
  ++g_openFiles;
}

bool FileHandle::OpenToReadAhead(const std::string& path, std::uint64_t*) {
  CloseQuietly();
  OpenNative(path, OpenMode::kRead);
  return true;
}

FileHandle::CachedRead FileHandle::ReadAheadIfCached(void* buffer, std::size_t size) {
  CachedRead read;
  read.bytes = ReadNative(buffer, size);
  read.cannotTell = true;
  return read;
}

void FileHandle::AdviseWillRead() noexcept {}

std::size_t FileHandle::ReadNative(void* buffer, std::size_t size) {
  DWORD got = 0;
  DWORD want = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
  if (!ReadFile(static_cast<HANDLE>(handle_), buffer, want, &got, nullptr)) throw ErrorFromWin32(GetLastError(), path_);
  return got;
}

void FileHandle::WriteAll(const void* data, std::size_t size) {
  faults::Check(faults::Op::kWrite, path_);
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    DWORD put = 0;
    DWORD want = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    if (!WriteFile(static_cast<HANDLE>(handle_), p, want, &put, nullptr)) throw ErrorFromWin32(GetLastError(), path_);
    if (put == 0) throw MakeError(kErrDiskFull, path_);
    CountBytesWritten(put);
    p += put;
    size -= put;
  }
}

void FileHandle::Close() {
  if (!handle_) return;
  HANDLE h = static_cast<HANDLE>(handle_);
  handle_ = nullptr;
  --g_openFiles;
  bool closed = CloseHandle(h) != 0;
  DWORD code = closed ? 0 : GetLastError();
  faults::Check(faults::Op::kClose, path_);
  if (!closed) throw ErrorFromWin32(code, path_);
}

void FileHandle::CloseQuietly() noexcept {
  if (!handle_) return;
  CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
  --g_openFiles;
}

void FileHandle::CloseAsNormalFile() {
  if (!handle_) return;
  const std::string path = path_;
  Close();
  SetNormalAttributes(path);
}

#else

bool FileHandle::IsOpen() const { return fd_ >= 0; }

void FileHandle::OpenNative(const std::string& path, OpenMode mode) {
  int flags = O_CLOEXEC;
  if (mode == OpenMode::kRead)
    flags |= O_RDONLY;
  else
    flags |= O_WRONLY | O_CREAT | (mode == OpenMode::kWriteTruncate ? O_TRUNC : 0);
  int fd;
  do {
    fd = ::open(path.c_str(), flags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    int err = errno;
    throw ErrorFromErrno(err, path, err == ENOENT && ParentMissing(path));
  }
  fd_ = fd;
  path_ = path;
  ++g_openFiles;
}

bool FileHandle::OpenToReadAhead(const std::string& path, std::uint64_t* size) {
  CloseQuietly();
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    int err = errno;
    throw ErrorFromErrno(err, path, err == ENOENT && ParentMissing(path));
  }
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  if (size) *size = static_cast<std::uint64_t>(st.st_size);
  fd_ = fd;
  path_ = path;
  ++g_openFiles;
  return true;
}

FileHandle::CachedRead FileHandle::ReadAheadIfCached(void* buffer, std::size_t size) {
  CachedRead read;
#ifdef RWF_NOWAIT
  iovec piece{buffer, size};
  for (;;) {
    ssize_t got = ::preadv2(fd_, &piece, 1, -1, RWF_NOWAIT);
    if (got >= 0) {
      read.bytes = static_cast<std::size_t>(got);
      return read;
    }
    if (errno == EAGAIN) {
      read.notCached = true;
      return read;
    }
    if (errno != EINTR) break;  // the file system cannot tell (tmpfs)
  }
#endif
  read.bytes = ReadNative(buffer, size);
  read.cannotTell = true;
  return read;
}

void FileHandle::AdviseWillRead() noexcept {
  if (fd_ >= 0) ::posix_fadvise(fd_, 0, 0, POSIX_FADV_WILLNEED);
}

std::size_t FileHandle::ReadNative(void* buffer, std::size_t size) {
  for (;;) {
    ssize_t got = ::read(fd_, buffer, size);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) throw ErrorFromErrno(errno, path_);
  }
}

void FileHandle::WriteAll(const void* data, std::size_t size) {
  faults::Check(faults::Op::kWrite, path_);
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t put = ::write(fd_, p, size);
    if (put < 0) {
      if (errno == EINTR) continue;
      throw ErrorFromErrno(errno, path_);
    }
    if (put == 0) throw MakeError(kErrDiskFull, path_);
    CountBytesWritten(static_cast<std::size_t>(put));
    p += put;
    size -= static_cast<std::size_t>(put);
  }
}

void FileHandle::Close() {
  if (fd_ < 0) return;
  int fd = fd_;
  fd_ = -1;
  --g_openFiles;
  int rc = ::close(fd);
  int err = errno;
  faults::Check(faults::Op::kClose, path_);
  if (rc != 0 && err != EINTR) throw ErrorFromErrno(err, path_);
}

void FileHandle::CloseQuietly() noexcept {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  --g_openFiles;
}

void FileHandle::CloseAsNormalFile() {
  if (fd_ < 0) return;
  faults::Check(faults::Op::kSetAttributes, path_);
  struct stat st;
  if (::fstat(fd_, &st) != 0) throw ErrorFromErrno(errno, path_);
  const mode_t wanted = NormalMode(st.st_mode);
  if (wanted != (st.st_mode & 07777) && ::fchmod(fd_, wanted) != 0) throw ErrorFromErrno(errno, path_);
  Close();
}

#endif

}  // namespace dorvax::platform
