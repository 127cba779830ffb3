#include "oldtree/create_old_folders.h"

#include <cstdint>
#include <string>

#include "form/messages.h"
#include "oldtree/folder_names.h"
#include "oldtree/station_file_name.h"
#include "oldtree/station_index.h"
#include "platform/cp932.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "platform/run_error.h"

namespace dorvax {

namespace {

constexpr int16_t kGoOn = -1;
constexpr int16_t kCallAgain = 580;
constexpr int16_t kBadFolderName = 98;
constexpr int16_t kStopped = 99;
constexpr int16_t kDiscUnusable = 999;
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
  FormWindow& frm;
  int16_t pass;
  std::string src;    // ends with a separator
  std::string dst;    // ends with a separator
  std::string month;  // the month folder being visited, for the messages
  int64_t fileTotal = 0;
};

std::string StationFileName(const std::string& month) { return "idx" + month + ".csv"; }

void RejectFolderName(FormWindow& frm, NameKind kind, int16_t& result) {
  frm.SetBusyCursor(false);
  frm.MsgBox(OkBox(kForeignFolder + msg::kCrLf + (kind == NameKind::kYearMonth ? kBadMonthFolder : kBadAreaFolder),
                   msg::kTitleStopped, MsgIcon::kCritical));
  frm.FocusFolderBox(0);
  result = kBadFolderName;
}

// Pass 2 of a two-disc run: the user exchanges the discs and the new one is
// checked. Returns false when the call has to return with `result` as set.
bool HandOverToSecondDisc(FormWindow& frm, int16_t& result) {
  frm.SetBusyCursor(false);
  if (frm.MsgBox(OkCancelBox(kHandOverText, msg::kTitleMessage, MsgIcon::kInformation)) != MsgAnswer::kOk) {
    frm.MsgBox(OkBox(msg::kAborted, msg::kTitleMessage, MsgIcon::kInformation));
    result = kStopped;
    return false;
  }
  frm.SetBusyCursor(true);
  CheckSecondDisc(frm, result);
  // A refused disc has shown its box already; the handler turns it into a retry.
  if (result == kDiscUnusable) throw platform::RunError(kRetrySignal, "");
  return result == kGoOn;
}

// The status line of the pass, after the disc hand-over in pass 2.
bool AnnouncePass(FormWindow& frm, int16_t pass, int16_t& result) {
  if (frm.intSourceKind == 1) {
    frm.SetStatus(msg::Status(kBuildingStatus));
  } else {
    if (pass == 2 && !HandOverToSecondDisc(frm, result)) return false;
    if (pass != 1 && pass != 2)
      throw platform::RunError(kErrSubscriptOutOfRange, "インデックスが有効範囲にありません。");
    frm.SetStatus(msg::Status(frm.strDiscName[pass - 1] + kBuildingStatus));
  }
  frm.Repaint();
  return true;
}

void CreateFolderWhenMissing(const std::string& path) {
  if (!platform::FolderExists(path)) platform::CreateFolder(path);
}

// Binary era: the year's index folder and the month's index files. Returns
// false when the station index conversion failed (its box is shown).
bool BuildBinaryMonth(Walk& walk, const std::string& yearFolder, const std::string& year, int16_t& result) {
  const std::string sep = platform::Sep();
  const std::string indexFolder = yearFolder + sep + "STNIDX";
  const std::string sourceFile = walk.src + walk.month + sep + StationFileName(walk.month);
  const std::string idxBase = indexFolder + sep + "IDX" + sep + "IDX" + year;
  const std::string sidxBase = indexFolder + sep + "IDX" + sep + "SIDX" + year;
  const std::string idxFile = IndexFileName(idxBase, sourceFile);

  // An index file that an earlier pass of this run wrote means the first
  // disc is in the drive again; rewriting it would mix both discs' stations.
  auto written = walk.frm.indexFilesWritten.find(idxFile);
  if (written != walk.frm.indexFilesWritten.end() && written->second < walk.pass)
    throw platform::MakeError(platform::kErrFileAlreadyExists, idxFile);

  CreateFolderWhenMissing(yearFolder);
  if (!platform::FolderExists(indexFolder)) {
    platform::CreateFolder(indexFolder);
    platform::CreateFolder(indexFolder + sep + "IDX");
  }
  ConvertStationIndex(walk.frm, sourceFile, idxBase, sidxBase, result);
  if (result != kGoOn) return false;
  walk.frm.indexFilesWritten[idxFile] = walk.pass;
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
bool VisitAreas(Walk& walk, bool textEra, int16_t& result) {
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
    walk.frm.lngFileTotal = static_cast<int32_t>(walk.fileTotal);
  }
  return true;
}

bool VisitMonth(Walk& walk, const std::string& month, int16_t& result) {
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
int32_t ProgressShare(const FormWindow& frm, int16_t pass) {
  if (frm.intSourceKind == 1) return 15;
  if (frm.intSourceKind == 2) return pass == 1 ? 7 : 8;
  return 0;
}

void HandleFailure(FormWindow& frm, const platform::RunError& error, const std::string& month, int16_t& result) {
  frm.SetBusyCursor(false);
  const int32_t number = error.number();
  auto callAgain = [&](const std::string* text) {
    if (text) frm.MsgBox(OkBox(*text, msg::kTitleError, MsgIcon::kExclamation));
    frm.SetBusyCursor(true);
    result = kCallAgain;
  };
  auto stop = [&](const std::string& text, int side) {
    frm.MsgBox(OkBox(text, msg::kTitleStopped, MsgIcon::kCritical));
    frm.FocusFolderBox(side);
    result = kStopped;
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

void CreateOldFolders(FormWindow& frm, int16_t pass, int16_t& result) {
  result = kGoOn;
  frm.lngFileTotal = 0;
  frm.intRunState = kStateBuildingTree;
  Walk walk{frm, pass, frm.strFolderPath[0], frm.strFolderPath[1], {}, 0};
  try {
    if (pass == 1 && frm.intSourceKind == 2) {
      platform::Drives& drives = frm.drives();
      frm.sourceDevice = drives.DeviceOf(drives.RootOf(frm.strFolderPath[0]));
    }
    if (!AnnouncePass(frm, pass, result)) return;
    walk.src = frm.strFolderPath[0];  // pass 2 may have found its disc elsewhere
    // A run starts with pass 1: index files of an earlier run are no
    // evidence of a repeated disc.
    if (pass == 1) frm.indexFilesWritten.clear();
    frm.typStation.Reset();
    for (const std::string& month : platform::ListSubfolders(walk.src))
      if (!VisitMonth(walk, month, result)) return;
    frm.AdvanceProgress(ProgressShare(frm, pass));
  } catch (const platform::RunError& error) {
    HandleFailure(frm, error, walk.month, result);
  }
}

}  // namespace dorvax
