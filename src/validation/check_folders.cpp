#include "validation/check_folders.h"

#include <string>

#include "formats/source_tree.h"
#include "platform/cp932.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "platform/run_error.h"
#include "validation/folder_overlap.h"
#include "window/check_failure.h"
#include "window/messages.h"

namespace dorvax {

namespace {

const char* const kNoSourceKind = "新版フォルダの読み込みフォルダが設定されていません。";
const char* const kSameFolder = "新版フォルダと旧版フォルダに同一のフォルダを指定しています。";
const char* const kNotCdRom = "新版フォルダに指定されたドライブは、CD-ROMドライブではありません。";
const char* const kNoHourlyTree = "の指定フォルダ内に\"\\dorvax\\hourly\"フォルダが存在しません。";
const char* const kDeleteOldTree =
    "旧版フォルダ内の既存の\"\\dorvax\"フォルダを削除して、新たに\"\\dorvax\"フォルダを作成してもよろしいですか？\r\n"
    "（既存フォルダ内のファイルは全て削除されます）";

// Every refusal of a check: normal pointer first, then the box.
void ShowRefusal(StepWindow& frm, const std::string& text) {
  frm.SetBusyCursor(false);
  frm.MsgBox(OkBox(text, msg::kTitleError, MsgIcon::kCritical));
}

// A refusal that sends the user back to the folder box of one side.
void RefuseAndFocus(StepWindow& frm, int side, const std::string& text) {
  ShowRefusal(frm, text);
  frm.FocusFolderBox(side);
}

std::string UpperAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// A trimmed text of one character is no folder; two characters must be a
// drive such as "C:" as typed, so "C: " (trimmed to "C:") is refused too.
// Where the file system has a single root, "/" is what a drive root such as
// "C:\" is on Windows (and what the drive list gives for it), so it passes.
bool IsMalformed(const std::string& typed, const std::string& trimmed) {
#ifndef _WIN32
  if (trimmed == "/") return false;
#endif
  std::size_t chars = platform::utf8::CharCount(trimmed);
  if (chars == 1) return true;
  return chars == 2 && (typed.empty() || typed.back() != ':');
}

// A folder exists, and when it lies on a CD-ROM drive, that drive holds its
// disc: the mount point of an optical drive that is not mounted is a folder
// of the disk beneath it, not of the disc (Windows reports the root of an
// empty drive as missing by itself).
bool FolderIsThere(StepWindow& frm, const std::string& folder) {
  if (!platform::FolderExists(folder)) return false;
  platform::Drives& drives = frm.drives();
  return drives.TypeOf(folder) != platform::DriveType::kCdRom || drives.IsReady(drives.RootOf(folder));
}

StepResult RefusalOfSide(int side) { return side == 0 ? StepResult::kSourceRefused : StepResult::kDestinationRefused; }

// The checks of one side: given, well formed, ending with a separator (added
// to the box itself), existing. False when the side was refused.
bool CheckSide(const RunState& run, StepWindow& frm, int side, StepResult& result) {
  const std::string& sideName = run.strSideName[side];
  auto refuse = [&](const std::string& text) {
    RefuseAndFocus(frm, side, text);
    result = RefusalOfSide(side);
    return false;
  };
  std::string typed = frm.FolderText(side);
  std::string folder = TrimBlanks(typed);
  if (folder.empty()) return refuse(sideName + "フォルダの指定がされていません。");
  if (IsMalformed(typed, folder)) return refuse(sideName + "フォルダの指定が正しくされていません。");
  if (!platform::EndsWithSeparator(folder)) {
    folder += platform::Sep();
    frm.SetFolderText(side, folder);
  }
  if (!FolderIsThere(frm, folder)) return refuse("指定された" + sideName + "フォルダが存在しません。");
  frm.AdvanceProgress(1);
  return true;
}

// The same folder on both sides. Besides the texts (compared without letter
// case), the folders are compared as resolved on disk, and a source that the
// deletion of an old destination tree would destroy, or a destination inside the
// source's hourly tree, is refused in the same way.
bool CheckDistinct(StepWindow& frm, const std::string& source, const std::string& destination, StepResult& result) {
  if (UpperAscii(source) != UpperAscii(destination) && !FoldersOverlap(source, destination)) return true;
  ShowRefusal(frm, kSameFolder);
  frm.EnableInputControls(true);
  frm.SetFocus(frm.IsEnabled(Control::txtFolder0) ? Control::txtFolder0 : Control::txtFolder1);
  result = StepResult::kSameFolder;
  return false;
}

// In CD-ROM mode the source must lie on a CD-ROM drive.
bool CheckSourceDrive(const RunState& run, StepWindow& frm, const std::string& source, StepResult& result) {
  if (run.intSourceKind != 2 || frm.drives().TypeOf(source) == platform::DriveType::kCdRom) return true;
  ShowRefusal(frm, kNotCdRom);
  frm.EnableInputControls(true);
  frm.SetFocus(Control::drvNew);
  result = StepResult::kNotCdRom;
  return false;
}

// An existing destination "dorvax" goes only with the user's consent; the
// step that prepares the destination deletes it.
bool ConsentToReplace(StepWindow& frm, const std::string& destination, StepResult& result) {
  if (!platform::FolderExists(destination + "dorvax")) return true;
  frm.SetBusyCursor(false);
  if (frm.MsgBox(YesNoBox(kDeleteOldTree)) != MsgAnswer::kYes) {
    frm.MsgBox(OkBox(msg::kAborted, msg::kTitleMessage, MsgIcon::kInformation));
    result = StepResult::kOldTreeKept;
    return false;
  }
  frm.SetBusyCursor(true);
  return true;
}

// Everything after both sides have passed: the comparison, the drive, the
// hourly tree and the consent to replace an existing destination tree.
void CheckBothSides(RunState& run, StepWindow& frm, StepResult& result) {
  std::string source = frm.TrimmedFolderText(0);
  std::string destination = frm.TrimmedFolderText(1);
  if (!CheckDistinct(frm, source, destination, result)) return;
  frm.AdvanceProgress(1);
  if (!CheckSourceDrive(run, frm, source, result)) return;
  if (!platform::FolderExists(HourlyTreeOf(source))) {
    RefuseAndFocus(frm, 0, run.strSideName[0] + kNoHourlyTree);
    result = StepResult::kNotCdRom;
    return;
  }
  run.strFolderPath[0] = HourlyTreeOf(source);
  frm.AdvanceProgress(1);
  if (!ConsentToReplace(frm, destination, result)) return;
  run.strFolderPath[1] = destination + "dorvax" + platform::Sep();
}

void ShowChecking(RunState& run, StepWindow& frm) {
  frm.SetBusyCursor(true);
  frm.ShowProgress(true);
  frm.EnableInputControls(false);
  run.intRunState = 1;
  std::string disc = run.intSourceKind == 1 ? std::string() : run.strDiscName[0];
  frm.SetStatus(msg::Status(disc + "フォルダ構成等のチェックを行っています"));
  frm.Repaint();
}

}  // namespace

void CheckFolders(RunState& run, StepWindow& frm, StepResult& result) {
  result = StepResult::kGoOn;
  if (run.intSourceKind == 0) {
    ShowRefusal(frm, kNoSourceKind);
    result = StepResult::kStopped;
    return;
  }
  ShowChecking(run, frm);
  StepResult sideUnderTest = StepResult::kSourceRefused;
  try {
    for (int side = 0; side <= 1; ++side) {
      sideUnderTest = RefusalOfSide(side);
      if (!CheckSide(run, frm, side, result)) return;
    }
    sideUnderTest = StepResult::kSameFolder;
    CheckBothSides(run, frm, result);
  } catch (const platform::RunError& error) {
    ShowCheckFailure(frm, error);
    result = sideUnderTest;
  }
}

}  // namespace dorvax
