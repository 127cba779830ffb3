#include "form/form_window.h"

#include "form/messages.h"
#include "platform/native_path.h"
#include "platform/run_error.h"

namespace dorvax {

const char* ControlName(Control control) {
  switch (control) {
    case Control::fraNEW: return "fraNEW";
    case Control::optNew0: return "optNew(0)";
    case Control::drvNew: return "drvNew";
    case Control::optNew1: return "optNew(1)";
    case Control::cmdNew0: return "cmdNew(0)";
    case Control::txtFolder0: return "txtFolder(0)";
    case Control::cmdNew1: return "cmdNew(1)";
    case Control::lblMain: return "lblMain";
    case Control::txtFolder1: return "txtFolder(1)";
    case Control::cmdOld0: return "cmdOld(0)";
    case Control::cmdOld1: return "cmdOld(1)";
    case Control::lblConv0: return "lblConv(0)";
    case Control::ProgressBar1: return "ProgressBar1";
    case Control::lblConv1: return "lblConv(1)";
    case Control::cmdMain0: return "cmdMain(0)";
    case Control::cmdMain1: return "cmdMain(1)";
    case Control::lblMes: return "lblMes";
    case Control::lblForm: return "lblForm";
  }
  return "?";
}

const ToolTip kToolTips[12] = {
    {Control::cmdNew0, "新版の\"\\dorvax\"フォルダを含むフォルダを指定します。"},
    {Control::cmdNew1, "新版のフォルダ指定を解除します。"},
    {Control::cmdOld0, "旧版の\"\\dorvax\"フォルダを作成するフォルダを指定します。"},
    {Control::cmdOld1, "旧版のフォルダ指定を解除します。"},
    {Control::cmdMain0, "変換処理を実行します。"},
    {Control::cmdMain1, "変換プログラムを終了します。"},
    {Control::txtFolder0, "ここに直接フォルダのパスを入力する事もできます。"},
    {Control::txtFolder1, "ここに直接フォルダのパスを入力する事もできます。"},
    {Control::drvNew, "新版のCD-ROMを入れるドライブを指定します。"},
    {Control::optNew0, "新版のDorvax年報CD-ROMを用いる場合、こちらを選択します。"},
    {Control::optNew1,
     "ハードディスク等に新版データがある場合、こちらを選択します。新版CD-ROMを用いる場合には選択しないこと！"},
    {Control::lblConv1, kVersionText},
};

std::string TrimBlanks(const std::string& text) {
  std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return {};
  std::size_t end = text.find_last_not_of(' ');
  return text.substr(begin, end - begin + 1);
}

std::string FormWindow::TrimmedFolderText(int side) const {
  return TrimBlanks(Text(side == 0 ? Control::txtFolder0 : Control::txtFolder1));
}

void FormWindow::InitializeForm() {
  // Tool tips are static texts the front end sets when it builds its
  // controls (kToolTips); the rest of the set-up is the window's state.
  ClearFolderChoice(0);
  ClearFolderChoice(1);
  ShowProgress(false);
  strSideName = {"新版", "旧版"};
  strDiscName = {"1枚目のCD-ROMの", "2枚目のCD-ROMの"};
  intRunState = 0;
}

void FormWindow::ClearFolderChoice(int16_t side) {
  if (side == 0) {
    SetText(Control::txtFolder0, "");
    SetSelected(Control::optNew0, false);
    SetSelected(Control::optNew1, false);
    SetEnabled(Control::cmdNew0, false);
    SetEnabled(Control::cmdNew1, false);
    SetEnabled(Control::drvNew, false);
    SetBackground(Control::drvNew, BoxColour::kLightGrey);
    SetEnabled(Control::txtFolder0, false);
    SetBackground(Control::txtFolder0, BoxColour::kLightGrey);
    intSourceKind = 0;
  } else {
    SetText(Control::txtFolder1, "");
  }
}

void FormWindow::ShowProgress(bool show) {
  if (show) {
    SetVisible(Control::lblConv0, true);
    SetVisible(Control::lblConv1, true);
    SetProgressValue(0);
    SetVisible(Control::ProgressBar1, true);
  } else {
    SetVisible(Control::lblConv0, false);
    SetVisible(Control::ProgressBar1, false);
    SetStatus("");
  }
  Repaint();
}

void FormWindow::SetBusyCursor(bool busy) { SetPointer(busy); }

void FormWindow::AdvanceProgress(int32_t steps) {
  float value = ProgressValue() + static_cast<float>(steps);
  // The bar's range is 0 to 100; a value outside it is an invalid property
  // value that reaches the caller's error handling.
  if (value < 0.0f || value > 100.0f) throw platform::RunError(380, "プロパティの値が不正です。");
  SetProgressValue(value);
  ProcessEvents();
  SetPointer(true);
  Repaint();
}

void FormWindow::EnableInputControls(bool enable) {
  if (!enable) {
    SetEnabled(Control::optNew0, false);
    SetEnabled(Control::optNew1, false);
    SetEnabled(Control::cmdNew1, false);
    if (IsSelected(Control::optNew0)) SetEnabled(Control::drvNew, false);
    if (IsSelected(Control::optNew1)) {
      SetEnabled(Control::cmdNew0, false);
      SetEnabled(Control::txtFolder0, false);
    }
    for (Control c : {Control::cmdOld0, Control::cmdOld1, Control::txtFolder1, Control::cmdMain0, Control::cmdMain1})
      SetEnabled(c, false);
  } else {
    SetEnabled(Control::optNew0, true);
    SetEnabled(Control::optNew1, true);
    if (IsSelected(Control::optNew0))
      optNew_Click(0);
    else if (IsSelected(Control::optNew1))
      optNew_Click(1);
    for (Control c : {Control::cmdOld0, Control::cmdOld1, Control::txtFolder1, Control::cmdMain0, Control::cmdMain1})
      SetEnabled(c, true);
  }
  Repaint();
}

void FormWindow::FocusFolderBox(int side) {
  EnableInputControls(true);
  if (side == 0)
    SetFocus(IsEnabled(Control::txtFolder0) ? Control::txtFolder0 : Control::drvNew);
  else if (side == 1)
    SetFocus(Control::txtFolder1);
}

void FormWindow::optNew_Click(int16_t index) {
  SetEnabled(Control::cmdNew1, true);
  if (index == 0) {
    SetEnabled(Control::drvNew, true);
    SetBackground(Control::drvNew, BoxColour::kWhite);
    SetEnabled(Control::cmdNew0, false);
    SetEnabled(Control::txtFolder0, false);
    if (Background(Control::txtFolder0) == BoxColour::kWhite)
      SetBackground(Control::txtFolder0, BoxColour::kLightGrey);
    drvNew_Change();
    intSourceKind = 2;
  } else {
    SetEnabled(Control::drvNew, false);
    if (Background(Control::drvNew) == BoxColour::kWhite) SetBackground(Control::drvNew, BoxColour::kLightGrey);
    SetEnabled(Control::cmdNew0, true);
    SetEnabled(Control::txtFolder0, true);
    SetBackground(Control::txtFolder0, BoxColour::kWhite);
    intSourceKind = 1;
  }
}

void FormWindow::drvNew_Change() {
  SetText(Control::txtFolder0, platform::DriveRootFromListText(CurrentDriveText()));
}

void FormWindow::cmdNew_Click(int16_t index) {
  if (index == 0)
    BrowseFolder(0);
  else
    ClearFolderChoice(0);
}

void FormWindow::cmdOld_Click(int16_t index) {
  if (index == 0)
    BrowseFolder(1);
  else
    ClearFolderChoice(1);
}

void FormWindow::BrowseFolder(int16_t side) {
  Control box = side == 0 ? Control::txtFolder0 : Control::txtFolder1;
  try {
    std::string title = side == 0
                            ? "\"\\dorvax\"フォルダが含まれる" + strSideName[0] + "フォルダを指定してください"
                            : strSideName[1] + "の\"\\dorvax\"フォルダを作成したい" + "フォルダを指定してください";
    std::string chosen = SelectFolder(title);
    if (!chosen.empty()) SetText(box, platform::EndsWithSeparator(chosen) ? chosen : chosen + platform::Sep());
    SetFocus(box);
  } catch (const platform::RunError& e) {
    MsgBox(OkBox(msg::GenericError(e.number(), e.description()), msg::kTitleError, MsgIcon::kExclamation));
  }
}

bool FormWindow::Form_Unload() {
  if (intRunState == 2 || intRunState == 3) {
    MsgBox(OkBox("変換プログラムを強制終了します。", msg::kTitleStopped, MsgIcon::kExclamation));
    forcedEnd = true;
    return true;
  }
  return false;
}

}  // namespace dorvax
