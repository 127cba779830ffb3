#include "oldtree/create_old_folders.h"

#include <cstdint>
#include <string>

#include "formats/folder_names.h"
#include "formats/station_file_name.h"
#include "oldtree/second_disc.h"
#include "oldtree/station_index.h"
#include "platform/cp932.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "platform/run_error.h"
#include "window/messages.h"

namespace dorvax {

namespace {

constexpr int16_t kStateBuildingTree = 2;
constexpr int16_t kLastBinaryYear = 1999;

// Stands for "the second disc was refused, call again" inside the handler.
constexpr int32_t kRetrySignal = static_cast<int32_t>(0x80040201u);
constexpr int32_t kErrSubscriptOutOfRange = 9;

const std::string kHandOverText =
    "１枚目のCD-ROMの変換処理が終了しました。\r\n"
    "１枚目のCD-ROMを取り出し、２枚目のCD-ROMを入れてください。\r\n"
    "入れ終わったら「OK」を押してください。\r\n"
    "変換処理を中断する場合は「キャンセル」を押してください。";
const std::string kSameDiscAgain = "１枚目と同一のデータを含むCD-ROMが入っています。";
const std::string kNoStationFile = "新版フォルダに観測所地点情報ファイルがありません。";
const std::string kForeignFolder = "新版フォルダ中に、年報CD-ROMのフォルダに該当しない名称のフォルダがあります。";
const std::string kBadMonthFolder = "（観測年月フォルダ名にエラーがあります）";
const std::string kBadAreaFolder = "（観測所フォルダ名にエラーがあります）";
const std::string kBuildingStatus = "旧版サブフォルダを作成しています";

enum class NameKind { kYearMonth, kArea };

// The state of one walk over the source tree.
struct Walk {
  RunState& run;
  StepWindow& frm;
  int16_t pass;
  std::string src;    // ends with a separator
  std::string dst;    // ends with a separator
  std::string month;  // the month folder being visited, for the messages
  int64_t fileTotal = 0;
};

std::string StationFileName(const std::string& month) { return "idx" + month + ".csv"; }

void RejectFolderName(StepWindow& frm, NameKind kind, StepResult& result) {
  frm.SetBusyCursor(false);
  frm.MsgBox(OkBox(kForeignFolder + msg::kCrLf + (kind == NameKind::kYearMonth ? kBadMonthFolder : kBadAreaFolder),
                   msg::kTitleStopped, MsgIcon::kCritical));
  frm.FocusFolderBox(0);
  result = StepResult::kBadName;
}

// Pass 2 of a two-disc run: the user exchanges the discs and the new one is
// checked. Returns false when the call has to return with `result` as set.
bool HandOverToSecondDisc(RunState& run, StepWindow& frm, StepResult& result) {
  frm.SetBusyCursor(false);
  if (frm.MsgBox(OkCancelBox(kHandOverText, msg::kTitleMessage, MsgIcon::kInformation)) != MsgAnswer::kOk) {
    frm.MsgBox(OkBox(msg::kAborted, msg::kTitleMessage, MsgIcon::kInformation));
    result = StepResult::kStopped;
    return false;
  }
  frm.SetBusyCursor(true);
  CheckSecondDisc(run, frm, result);
  // A refused disc has shown its box already; the handler turns it into a retry.
  if (result == StepResult::kDiscUnusable) throw platform::RunError(kRetrySignal, "");
  return result == StepResult::kGoOn;
}

// The status line of the pass, after the disc hand-over in pass 2.
bool AnnouncePass(RunState& run, StepWindow& frm, int16_t pass, StepResult& result) {
  if (run.intSourceKind == 1) {
    frm.SetStatus(msg::Status(kBuildingStatus));
  } else {
    if (pass == 2 && !HandOverToSecondDisc(run, frm, result)) return false;
    if (pass != 1 && pass != 2)
      throw platform::RunError(kErrSubscriptOutOfRange, "インデックスが有効範囲にありません。");
    frm.SetStatus(msg::Status(run.strDiscName[pass - 1] + kBuildingStatus));
  }
  frm.Repaint();
  return true;
}

void CreateFolderWhenMissing(const std::string& path) {
  if (!platform::FolderExists(path)) platform::CreateFolder(path);
}

// Binary era: the year's index folder and the month's index files. Returns
// false when the station index conversion failed (its box is shown).
bool BuildBinaryMonth(Walk& walk, const std::string& yearFolder, const std::string& year, StepResult& result) {
  const std::string sep = platform::Sep();
  const std::string indexFolder = yearFolder + sep + "STNIDX";
  const std::string sourceFile = walk.src + walk.month + sep + StationFileName(walk.month);
  const std::string idxBase = indexFolder + sep + "IDX" + sep + "IDX" + year;
  const std::string sidxBase = indexFolder + sep + "IDX" + sep + "SIDX" + year;
  const std::string idxFile = IndexFileName(idxBase, sourceFile);

  // An index file that an earlier pass of this run wrote means the first
  // disc is in the drive again; rewriting it would mix both discs' stations.
  auto written = walk.run.indexFilesWritten.find(idxFile);
  if (written != walk.run.indexFilesWritten.end() && written->second < walk.pass)
    throw platform::MakeError(platform::kErrFileAlreadyExists, idxFile);

  CreateFolderWhenMissing(yearFolder);
  if (!platform::FolderExists(indexFolder)) {
    platform::CreateFolder(indexFolder);
    platform::CreateFolder(indexFolder + sep + "IDX");
  }
  ConvertStationIndex(walk.run, walk.frm, sourceFile, idxBase, sidxBase, result);
  if (result != StepResult::kGoOn) return false;
  walk.run.indexFilesWritten[idxFile] = walk.pass;
  return true;
}

// Text era: the month folder (which must be new: pass 1 made it when the
// first disc is in again) and a copy of the station information file.
void BuildTextMonth(Walk& walk, const std::string& yearFolder) {
  const std::string sep = platform::Sep();
  const std::string monthFolder = walk.dst + walk.month;
  CreateFolderWhenMissing(yearFolder);
  platform::CreateFolder(monthFolder);
  platform::SetNormalAttributes(monthFolder);
  platform::CopyFileInto(walk.src + walk.month + sep + StationFileName(walk.month), monthFolder + sep);
  // A copy from a CD-ROM would stay read-only.
  platform::SetNormalAttributes(monthFolder + sep + StationFileName(walk.month));
}

// The area folders of the month: their names, their text-era copies and the
// number of hourly files they hold. Returns false on a bad name.
bool VisitAreas(Walk& walk, bool textEra, StepResult& result) {
  const std::string sep = platform::Sep();
  const std::string sourceMonth = walk.src + walk.month + sep;
  for (const std::string& area : platform::ListSubfolders(sourceMonth)) {
    bool valid = false;
    CheckAreaName(area, valid);
    if (!valid) {
      RejectFolderName(walk.frm, NameKind::kArea, result);
      return false;
    }
    if (textEra) {
      const std::string target = walk.dst + walk.month + sep + area;
      platform::CreateFolder(target);
      platform::SetNormalAttributes(target);
    }
    walk.fileTotal += platform::CountFiles(sourceMonth + area);
    if (walk.fileTotal > INT32_MAX) throw platform::MakeError(platform::kErrOverflow);
    walk.run.lngFileTotal = static_cast<int32_t>(walk.fileTotal);
  }
  return true;
}

bool VisitMonth(Walk& walk, const std::string& month, StepResult& result) {
  int16_t year = 0;
  bool valid = false;
  CheckYearMonthName(month, year, valid);
  if (!valid) {
    RejectFolderName(walk.frm, NameKind::kYearMonth, result);
    return false;
  }
  walk.month = month;
  const std::string yearText(platform::utf8::Mid(month, 1, 4));
  const std::string yearFolder = walk.dst + yearText;
  const bool textEra = year > kLastBinaryYear;
  if (textEra) {
    BuildTextMonth(walk, yearFolder);
  } else if (!BuildBinaryMonth(walk, yearFolder, yearText, result)) {
    return false;
  }
  if (!VisitAreas(walk, textEra, result)) return false;
  walk.frm.AdvanceProgress(0);
  return true;
}

// The share of the progress bar for building the tree: 15 in all.
int32_t TreeProgressUnits(const RunState& run, int16_t pass) {
  if (run.intSourceKind == 1) return 15;
  if (run.intSourceKind == 2) return pass == 1 ? 7 : 8;
  return 0;
}

void HandleFailure(StepWindow& frm, const platform::RunError& error, const std::string& month, StepResult& result) {
  frm.SetBusyCursor(false);
  const int32_t number = error.number();
  auto callAgain = [&](const std::string* text) {
    if (text) frm.MsgBox(OkBox(*text, msg::kTitleError, MsgIcon::kExclamation));
    frm.SetBusyCursor(true);
    result = StepResult::kCallAgain;
  };
  auto stop = [&](const std::string& text, int side) {
    frm.MsgBox(OkBox(text, msg::kTitleStopped, MsgIcon::kCritical));
    frm.FocusFolderBox(side);
    result = StepResult::kStopped;
  };
  if (number == kRetrySignal) {
    callAgain(nullptr);
  } else if (number == platform::kErrPathNotFound) {
    callAgain(&msg::kNoDisc);
  } else if (number == platform::kErrFileAlreadyExists) {
    callAgain(&kSameDiscAgain);
  } else if (number == platform::kErrFileNotFound) {
    stop(kNoStationFile + msg::kCrLf + "(ファイル名：\\" + month + "\\idx" + month + ".csv)", 0);
  } else if (platform::IsDiskFull(number)) {
    stop(msg::kDiskFull, 1);
  } else {
    stop(msg::GenericError(number, error.description()), 0);
  }
}

}  // namespace

void CreateOldFolders(RunState& run, StepWindow& frm, int16_t pass, StepResult& result) {
  result = StepResult::kGoOn;
  run.lngFileTotal = 0;
  run.intRunState = kStateBuildingTree;
  Walk walk{run, frm, pass, run.strFolderPath[0], run.strFolderPath[1], {}, 0};
  try {
    if (pass == 1 && run.intSourceKind == 2) {
      platform::Drives& drives = frm.drives();
      run.sourceDevice = drives.DeviceOf(drives.RootOf(run.strFolderPath[0]));
    }
    if (!AnnouncePass(run, frm, pass, result)) return;
    walk.src = run.strFolderPath[0];  // pass 2 may have found its disc elsewhere
    // A run starts with pass 1: index files of an earlier run are no
    // evidence of a repeated disc.
    if (pass == 1) run.indexFilesWritten.clear();
    run.typStation.Reset();
    for (const std::string& month : platform::ListSubfolders(walk.src))
      if (!VisitMonth(walk, month, result)) return;
    frm.AdvanceProgress(TreeProgressUnits(run, pass));
  } catch (const platform::RunError& error) {
    HandleFailure(frm, error, walk.month, result);
  }
}

}  // namespace dorvax
