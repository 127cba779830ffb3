#pragma once
// Run-time failures of the converter. Every operation of the platform layer
// and of the conversion reports a failure as a RunError carrying one of the
// numbered errors the steps test, plus a description shown in message boxes.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <system_error>

namespace dorvax::platform {

// The error numbers the steps' handlers distinguish.
enum ErrorNumber : int32_t {
  kErrOverflow = 6,
  kErrTypeMismatch = 13,  // text is not a number
  kErrFileNotFound = 53,
  kErrDeviceIo = 57,
  kErrFileAlreadyExists = 58,
  kErrDiskFull = 61,
  kErrInputPastEnd = 62,
  kErrTooManyFiles = 67,
  kErrPermissionDenied = 70,
  kErrPathFileAccess = 75,
  kErrPathNotFound = 76,
};

// The file-system component reports a full disk also as this status.
constexpr int32_t kStatusDiskFull = static_cast<int32_t>(0x80070070u);

class RunError : public std::runtime_error {
 public:
  // `description` is followed by the detail in parentheses when there is one:
  // the path or the place in a file where the failure happened.
  RunError(int32_t number, std::string description, std::string detail = {});
  int32_t number() const { return number_; }
  const std::string& description() const { return description_; }
  const std::string& detail() const { return detail_; }
  // The same failure with a place put before its detail: the file of a line
  // that failed ("dorvax/hourly/199901/area11/x.csv: line 25: ...").
  RunError At(const std::string& place) const;

 private:
  int32_t number_;
  std::string base_;
  std::string detail_;
  std::string description_;
};

// The standard description of an error number (Japanese, as shown to users).
std::string DescribeError(int32_t number);

// A RunError with the standard description of its number.
RunError MakeError(int32_t number);

// A RunError with the standard description followed by a detail.
RunError MakeError(int32_t number, const std::string& detail);

// The one place where operating-system errors become error numbers.
// `missingMeansPath` tells whether a missing entry is the folder on the way
// (76) or the file itself (53).
int32_t ErrorNumberFromErrno(int err, bool missingMeansPath = false);
RunError ErrorFromErrno(int err, const std::string& path, bool missingMeansPath = false);
RunError ErrorFromCode(const std::error_code& ec, const std::string& path, bool missingMeansPath = false);
#ifdef _WIN32
int32_t ErrorNumberFromWin32(unsigned long code);
RunError ErrorFromWin32(unsigned long code, const std::string& path);
#endif

// True for the disk-full failure in either of its two forms.
inline bool IsDiskFull(int32_t number) { return number == kErrDiskFull || number == kStatusDiskFull; }

}  // namespace dorvax::platform
