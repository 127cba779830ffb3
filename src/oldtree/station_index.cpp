#include "oldtree/station_index.h"

#include <vector>

#include "formats/station_file_name.h"
#include "formats/station_line.h"
#include "platform/numeric_text.h"
#include "platform/run_error.h"
#include "platform/text_file.h"
#include "platform/writer_closing.h"
#include "window/messages.h"

namespace dorvax {

namespace {

constexpr int kHeaderLines = 2;
// Nothing past character 101 of a line is looked at: 202 bytes at most. The
// rest of a longer line is read past without being held.
constexpr std::size_t kStationLineBytes = 256;

const std::string kNoStationFile = "新版フォルダに観測所地点情報ファイルがありません。";
const std::string kBadStationFile = "新版の観測所地点情報ファイルにエラーがあります。";

// The files one conversion has open; the failure path closes whatever is
// still open before it shows its box. The lines written before the failure
// stay in the index files (a partly written IDX file), as far as the disk
// takes them.
struct OpenFiles {
  platform::TextReader source;
  platform::TextWriter index;
  platform::TextWriter snowIndex;

  void CloseAll() noexcept {
    source.Close();
    platform::CloseWithoutReporting(index);
    platform::CloseWithoutReporting(snowIndex);
  }
};

void ShowFailure(StepWindow& frm, const platform::RunError& error, const std::string& sourceFile) {
  const int32_t number = error.number();
  if (number == platform::kErrFileNotFound) {
    // The message names the file by its month folder and file name.
    frm.MsgBox(OkBox(kNoStationFile + msg::kCrLf + "(ファイル名：\\" + PathTailForMessage(sourceFile, 20) + ")",
                     msg::kTitleStopped, MsgIcon::kCritical));
    frm.FocusFolderBox(0);
  } else if (platform::IsDiskFull(number)) {
    frm.MsgBox(OkBox(msg::kDiskFull, msg::kTitleStopped, MsgIcon::kCritical));
    frm.FocusFolderBox(1);
  } else {
    frm.MsgBox(OkBox(kBadStationFile, msg::kTitleStopped, MsgIcon::kCritical));
    frm.FocusFolderBox(0);
  }
}

void WriteSnowIndex(platform::TextWriter& writer, const std::string& path, const std::vector<std::string>& lines) {
  writer.Open(path);
  for (const std::string& line : lines) writer.WriteLine(line);
  writer.Close();
}

}  // namespace

void ConvertStationIndex(RunState& run, StepWindow& frm, const std::string& sourceFile, const std::string& idxBase,
                         const std::string& sidxBase, StepResult& result) {
  OpenFiles files;
  try {
    const std::string month = StationFileMonth(sourceFile);
    const std::string year = StationFileYear(sourceFile);
    // Only the stations with value E; a month holds some thousand stations
    // at most, so their lines are kept until the IDX file is done.
    std::vector<std::string> snowLines;

    files.source.Open(sourceFile);
    files.index.Open(idxBase + "." + month);
    for (int i = 0; i < kHeaderLines; ++i) files.source.ReadLine(0);

    while (!files.source.AtEnd()) {
      StationLine station = ReadStationLine(files.source.ReadLine(kStationLineBytes));
      StationInfo info;
      info.intYear = platform::ReadInt16(year);
      info.intMonth = platform::ReadInt16(month);
      info.lngStationNo = station.stationNo;
      info.intKind = station.kind;
      info.intSnow = station.snow;
      run.typStation.Append(info);
      if (station.inSnowIndex) snowLines.push_back(station.indexLine);
      if (station.inIndex) files.index.WriteLine(station.indexLine);
    }
    files.index.Close();
    files.source.Close();

    if (!snowLines.empty()) WriteSnowIndex(files.snowIndex, sidxBase + "." + month, snowLines);
  } catch (const platform::RunError& error) {
    frm.SetBusyCursor(false);
    files.CloseAll();
    ShowFailure(frm, error, sourceFile);
    result = StepResult::kStationIndexFailed;
  }
}

}  // namespace dorvax
