#include "platform/run_error.h"

#include <cerrno>
#ifdef _WIN32
#include <windows.h>
#endif

namespace dorvax::platform {

namespace {
std::string WithDetail(const std::string& base, const std::string& detail) {
  return detail.empty() ? base : base + " (" + detail + ")";
}
}  // namespace

RunError::RunError(int32_t number, std::string description, std::string detail)
    : std::runtime_error(std::to_string(number) + " : " + WithDetail(description, detail)),
      number_(number),
      base_(std::move(description)),
      detail_(std::move(detail)),
      description_(WithDetail(base_, detail_)) {}

RunError RunError::At(const std::string& place) const {
  return RunError(number_, base_, detail_.empty() ? place : place + ": " + detail_);
}

std::string DescribeError(int32_t number) {
  switch (number) {
    case kErrOverflow: return "オーバーフローしました。";
    case kErrTypeMismatch: return "型が一致しません。";
    case kErrFileNotFound: return "ファイルが見つかりません。";
    case kErrDeviceIo: return "デバイス I/O エラーです。";
    case kErrFileAlreadyExists: return "既に同名のファイルが存在しています。";
    case kErrDiskFull: return "ディスクの空き容量が不足しています。";
    case kErrInputPastEnd: return "ファイルにこれ以上データがありません。";
    case kErrTooManyFiles: return "ファイルが多すぎます。";
    case kErrPermissionDenied: return "書き込みできません。";
    case kErrPathFileAccess: return "パス名が無効です。";
    case kErrPathNotFound: return "パスが見つかりません。";
    default: return "アプリケーション定義またはオブジェクト定義のエラーです。";
  }
}

RunError MakeError(int32_t number) { return RunError(number, DescribeError(number)); }

RunError MakeError(int32_t number, const std::string& detail) {
  return RunError(number, DescribeError(number), detail);
}

int32_t ErrorNumberFromErrno(int err, bool missingMeansPath) {
  switch (err) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG: return kErrDiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
    case ETXTBSY:
    // A folder that is not empty when it is removed: something under it was
    // held open or added meanwhile, so the tree cannot be deleted completely.
    case ENOTEMPTY: return kErrPermissionDenied;
    case ENOENT: return missingMeansPath ? kErrPathNotFound : kErrFileNotFound;
    case ENOTDIR:
#ifdef ELOOP
    case ELOOP:
#endif
      return kErrPathNotFound;
    case EEXIST: return kErrFileAlreadyExists;
    case EMFILE:
    case ENFILE: return kErrTooManyFiles;
    case EISDIR:
    case ENAMETOOLONG:
    case EINVAL: return kErrPathFileAccess;
    default: return kErrDeviceIo;
  }
}

RunError ErrorFromErrno(int err, const std::string& path, bool missingMeansPath) {
  return MakeError(ErrorNumberFromErrno(err, missingMeansPath), path);
}

RunError ErrorFromCode(const std::error_code& ec, const std::string& path, bool missingMeansPath) {
#ifdef _WIN32
  if (ec.category() == std::system_category()) return ErrorFromWin32(static_cast<unsigned long>(ec.value()), path);
#endif
  if (ec.category() == std::generic_category() || ec.category() == std::system_category())
    return ErrorFromErrno(ec.value(), path, missingMeansPath);
  return MakeError(kErrDeviceIo, path);
}

#ifdef _WIN32
int32_t ErrorNumberFromWin32(unsigned long code) {
  switch (code) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return kErrDiskFull;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    // Left by a file deleted while another program still holds it open.
    case ERROR_DIR_NOT_EMPTY: return kErrPermissionDenied;
    case ERROR_FILE_NOT_FOUND: return kErrFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY: return kErrPathNotFound;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS: return kErrFileAlreadyExists;
    case ERROR_TOO_MANY_OPEN_FILES: return kErrTooManyFiles;
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY: return kErrPathFileAccess;
    default: return kErrDeviceIo;
  }
}

RunError ErrorFromWin32(unsigned long code, const std::string& path) {
  return MakeError(ErrorNumberFromWin32(code), path);
}
#endif

}  // namespace dorvax::platform
