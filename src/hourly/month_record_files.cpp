#include "hourly/month_record_files.h"

#include "platform/writer_closing.h"

namespace dorvax {

namespace {

std::string RecordFileName(std::string_view kind, std::string_view yyyy, std::string_view mm) {
  std::string name(kind);
  name += yyyy;
  name += '.';
  name += mm;
  return name;
}

void OpenOnFirstRecord(platform::BinaryWriter& file, const std::string& path) {
  if (!file.IsOpen()) file.Open(path, platform::OpenMode::kWriteTruncate);
}

}  // namespace

void MonthRecordFiles::StartMonth(const std::string& yearFolder, std::string_view yyyy, std::string_view mm) {
  dvxPath_ = yearFolder + RecordFileName("DVX", yyyy, mm);
  dvsPath_ = yearFolder + RecordFileName("DVS", yyyy, mm);
}

void MonthRecordFiles::WriteStationRecords(const DvxRecordList& dvxRecords, const DvsRecordList& dvsRecords) {
  for (std::size_t d = 1; d < dvxRecords.size(); ++d) {
    if (!HasDvxValues(dvxRecords[d])) continue;
    OpenOnFirstRecord(dvx_, dvxPath_);
    WriteDvxRecord(dvx_, dvxRecords[d]);
  }
  for (std::size_t d = 1; d < dvsRecords.size(); ++d) {
    if (!HasDvsValues(dvsRecords[d])) continue;
    OpenOnFirstRecord(dvs_, dvsPath_);
    WriteDvsRecord(dvs_, dvsRecords[d]);
  }
}

void MonthRecordFiles::CloseMonth() {
  // Both files are closed even when closing the first one fails.
  try {
    if (dvx_.IsOpen()) dvx_.Close();
  } catch (...) {
    CloseKeepingWritten();
    throw;
  }
  if (dvs_.IsOpen()) dvs_.Close();
}

void MonthRecordFiles::CloseKeepingWritten() noexcept {
  platform::CloseWithoutReporting(dvx_);
  platform::CloseWithoutReporting(dvs_);
}

}  // namespace dorvax
