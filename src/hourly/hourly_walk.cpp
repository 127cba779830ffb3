#include "hourly/hourly_walk.h"

#include "formats/source_tree.h"
#include "platform/cp932.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "platform/writer_closing.h"
#include "window/messages.h"

namespace dorvax {

namespace {

std::string UnfitNameQuestion(const std::string& yearMonth, const std::string& area, const std::string& fileName) {
  return "新版ファイル中に、年報CD-ROMのファイルに該当しない名称のファイルがあります。" + msg::kCrLf +
         "このファイルを処理せずに、変換処理を続けますか？" + msg::kCrLf + "（エラーファイル名：\\" + yearMonth + "\\" +
         area + "\\" + fileName + "）";
}

// The records of one station file that will be written, for the run's
// statistics (the summary of the batch program).
void CountWrittenRecords(RunStatistics& stats, const DvxRecordList& dvx, const DvsRecordList& dvs) {
  for (std::size_t d = 1; d < dvx.size(); ++d)
    if (HasDvxValues(dvx[d])) ++stats.dvxRecords;
  for (std::size_t d = 1; d < dvs.size(); ++d)
    if (HasDvsValues(dvs[d])) ++stats.dvsRecords;
}

// The failures of a file's contents (not a number, an overflow, a file too
// short), which name only the line: the file is put before it, as the path
// below the source folder.
bool IsContentFailure(int32_t number) {
  return number == platform::kErrTypeMismatch || number == platform::kErrOverflow ||
         number == platform::kErrInputPastEnd;
}

std::string SourceRelativePath(const std::string& yearMonth, const std::string& area, const std::string& fileName) {
  return HourlyTreeOf("") + yearMonth + platform::Sep() + area + platform::Sep() + fileName;
}

}  // namespace

bool HourlyWalk::Run() {
  for (const std::string& yearMonth : platform::ListSubfolders(run_.strFolderPath[0]))
    if (!ConvertYearMonth(yearMonth)) return false;
  return true;
}

bool HourlyWalk::ConvertYearMonth(const std::string& yearMonth) {
  Era era = EraOfYearMonth(yearMonth);
  if (era == Era::kBinary) {
    std::string_view yyyy = platform::utf8::Mid(yearMonth, 1, 4);
    month_.StartMonth(run_.strFolderPath[1] + std::string(yyyy) + platform::Sep(), yyyy,
                      platform::utf8::Right(yearMonth, 2));
  }
  std::string monthPath = run_.strFolderPath[0] + yearMonth + platform::Sep();
  for (const std::string& area : platform::ListSubfolders(monthPath)) {
    std::string areaPath = monthPath + area + platform::Sep();
    Place place{yearMonth, area, areaPath, era};
    const std::vector<std::string> fileNames = platform::ListFiles(areaPath);
    std::vector<char> fits(fileNames.size());
    for (std::size_t i = 0; i < fileNames.size(); ++i) fits[i] = HourlyFileNameFits(era, yearMonth, area, fileNames[i]);
    ReadAhead(place, fileNames, fits);
    for (std::size_t i = 0; i < fileNames.size(); ++i)
      if (!HandleFile(place, fileNames[i], fits[i])) return false;
  }
  month_.CloseMonth();
  return true;
}

bool HourlyWalk::HandleFile(const Place& place, const std::string& fileName, bool nameFits) {
  if (!nameFits) {
    if (!AskToLeaveOut(place, fileName)) {
      StopAtDeclinedName();
      return false;
    }
    ++run_.lngUnprocessedFiles;
    progress_.FileLeftOut();
    return true;
  }
  try {
    ReadFile(place, place.areaPath + fileName);
  } catch (const platform::RunError& error) {
    if (!IsContentFailure(error.number())) throw;
    throw error.At(SourceRelativePath(place.yearMonth, place.area, fileName));
  }
  if (place.era == Era::kBinary) {
    month_.WriteStationRecords(contents_.dvxRecords(), contents_.dvsRecords());
    CountWrittenRecords(run_.stats, contents_.dvxRecords(), contents_.dvsRecords());
  } else {
    WriteTextFile(place, fileName);
    ++run_.stats.textFiles;
  }
  ++run_.stats.filesConverted;
  progress_.FileConverted();
  return true;
}

bool HourlyWalk::AskToLeaveOut(const Place& place, const std::string& fileName) {
  frm_.SetBusyCursor(false);
  MsgAnswer answer = frm_.MsgBox(
      YesNoBox(UnfitNameQuestion(place.yearMonth, place.area, fileName), msg::kTitleConfirm, MsgIcon::kExclamation));
  return answer == MsgAnswer::kYes;
}

void HourlyWalk::StopAtDeclinedName() {
  frm_.MsgBox(OkBox(msg::kAborted, msg::kTitleStopped, MsgIcon::kCritical));
  ahead_.Stop();
  month_.CloseMonth();
  frm_.FocusFolderBox(0);
}

void HourlyWalk::ReadAhead(const Place& place, const std::vector<std::string>& fileNames,
                           const std::vector<char>& fits) {
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < fileNames.size(); ++i)
    if (fits[i]) paths.push_back(place.areaPath + fileNames[i]);
  ahead_.Begin(std::move(paths));
}

void HourlyWalk::ReadFile(const Place& place, const std::string& path) {
  platform::ReadAheadFile* readAhead = ahead_.Take(path);
  if (readAhead)
    input_.Open(*readAhead);
  else
    input_.Open(path);
  if (place.era == Era::kBinary)
    contents_.ReadBinaryEra(input_, run_.typStation);
  else
    contents_.ReadTextEra(input_);
  input_.Close();
  ahead_.Release();
}

void HourlyWalk::WriteTextFile(const Place& place, const std::string& fileName) {
  std::string path = run_.strFolderPath[1] + place.yearMonth + platform::Sep() + place.area + platform::Sep() +
                     std::string(OldEditionName(fileName));
  textOutput_.Open(path);
  textOutput_.WriteText(contents_.Text());
  textOutput_.CloseAsNormalFile();
}

void HourlyWalk::CloseAll() noexcept {
  input_.Close();
  ahead_.Stop();
  platform::CloseWithoutReporting(textOutput_);
  month_.CloseKeepingWritten();
}

}  // namespace dorvax
