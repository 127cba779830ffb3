#pragma once
// The DVX and DVS record files of one binary-era year-month. Each is created
// when the first record holding a value comes up, stays open while all
// station files of the month are converted, and is closed when the month is
// done. A file left from an earlier conversion is emptied when it is opened,
// so none of its old bytes can survive behind the new records.
#include <string>
#include <string_view>

#include "formats/day_records.h"
#include "platform/binary_file.h"

namespace dorvax {

class MonthRecordFiles {
 public:
  MonthRecordFiles() = default;
  MonthRecordFiles(const MonthRecordFiles&) = delete;
  MonthRecordFiles& operator=(const MonthRecordFiles&) = delete;

  // Starts a year-month: `yearFolder` is the destination year folder
  // (ending with the separator); the files are named "DVX" / "DVS" + YYYY +
  // "." + MM. Nothing is opened yet.
  void StartMonth(const std::string& yearFolder, std::string_view yyyy, std::string_view mm);

  // Appends the records of one station file that hold a value: all DVX
  // records first, then the DVS records; index 0 is never written.
  void WriteStationRecords(const DvxRecordList& dvxRecords, const DvsRecordList& dvsRecords);

  // Closes the files of the month that are open; a failure of the last
  // write (a full disk) is reported.
  void CloseMonth();
  // Failure paths: closes the open files with what has been written to
  // them so far, reporting nothing (a full disk may lose the unwritten rest).
  void CloseKeepingWritten() noexcept;
  ~MonthRecordFiles() { CloseKeepingWritten(); }

 private:
  platform::BinaryWriter dvx_;
  platform::BinaryWriter dvs_;
  std::string dvxPath_;
  std::string dvsPath_;
};

}  // namespace dorvax
