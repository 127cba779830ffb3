#include "form/form.h"

#include <new>

#include "platform/native_path.h"
#include "platform/run_error.h"
#include "window/messages.h"

namespace dorvax {

namespace {
const char* const kForcedEnd = "変換プログラムを強制終了します。";
}  // namespace

void Form::InitializeForm() {
  // Tool tips are static texts the front end sets when it builds its
  // controls (kToolTips); the rest of the set-up is the window's state.
  ClearFolderChoice(0);
  ClearFolderChoice(1);
  ShowProgress(false);
  run.strSideName = {"新版", "旧版"};
  run.strDiscName = {"1枚目のCD-ROMの", "2枚目のCD-ROMの"};
  run.intRunState = 0;
}

void Form::ClearFolderChoice(int16_t side) {
  if (side != 0) {
    controls_.SetText(Control::txtFolder1, "");
    return;
  }
  controls_.SetText(Control::txtFolder0, "");
  controls_.SetSelected(Control::optNew0, false);
  controls_.SetSelected(Control::optNew1, false);
  controls_.SetEnabled(Control::cmdNew0, false);
  controls_.SetEnabled(Control::cmdNew1, false);
  controls_.SetEnabled(Control::drvNew, false);
  controls_.SetBackground(Control::drvNew, BoxColour::kLightGrey);
  controls_.SetEnabled(Control::txtFolder0, false);
  controls_.SetBackground(Control::txtFolder0, BoxColour::kLightGrey);
  run.intSourceKind = 0;
}

void Form::ShowProgress(bool show) {
  if (show) {
    controls_.SetVisible(Control::lblConv0, true);
    controls_.SetVisible(Control::lblConv1, true);
    controls_.SetProgressValue(0);
    controls_.SetVisible(Control::ProgressBar1, true);
  } else {
    controls_.SetVisible(Control::lblConv0, false);
    controls_.SetVisible(Control::ProgressBar1, false);
    SetStatus("");
  }
  controls_.Repaint();
}

void Form::AdvanceProgress(int32_t steps) {
  float value = controls_.ProgressValue() + static_cast<float>(steps);
  // The bar's range is 0 to 100; a value outside it is an invalid property
  // value that reaches the caller's error handling.
  if (value < 0.0f || value > 100.0f) throw platform::RunError(380, "プロパティの値が不正です。");
  controls_.SetProgressValue(value);
  controls_.ProcessEvents();
  ThrowWhenAborted();
  controls_.SetPointer(true);
  controls_.Repaint();
}

void Form::EnableInputControls(bool enable) {
  constexpr Control kAlwaysInputs[] = {Control::cmdOld0, Control::cmdOld1, Control::txtFolder1, Control::cmdMain0,
                                       Control::cmdMain1};
  controls_.SetEnabled(Control::optNew0, enable);
  controls_.SetEnabled(Control::optNew1, enable);
  if (!enable) {
    controls_.SetEnabled(Control::cmdNew1, false);
    if (controls_.IsSelected(Control::optNew0)) controls_.SetEnabled(Control::drvNew, false);
    if (controls_.IsSelected(Control::optNew1)) {
      controls_.SetEnabled(Control::cmdNew0, false);
      controls_.SetEnabled(Control::txtFolder0, false);
    }
  } else if (controls_.IsSelected(Control::optNew0)) {
    optNew_Click(0);
  } else if (controls_.IsSelected(Control::optNew1)) {
    optNew_Click(1);
  }
  for (Control c : kAlwaysInputs) controls_.SetEnabled(c, enable);
  controls_.Repaint();
}

void Form::FocusFolderBox(int side) {
  EnableInputControls(true);
  if (side == 0)
    controls_.SetFocus(controls_.IsEnabled(Control::txtFolder0) ? Control::txtFolder0 : Control::drvNew);
  else if (side == 1)
    controls_.SetFocus(Control::txtFolder1);
}

void Form::optNew_Click(int16_t index) {
  controls_.SetEnabled(Control::cmdNew1, true);
  if (index == 0) {
    controls_.SetEnabled(Control::drvNew, true);
    controls_.SetBackground(Control::drvNew, BoxColour::kWhite);
    controls_.SetEnabled(Control::cmdNew0, false);
    controls_.SetEnabled(Control::txtFolder0, false);
    if (controls_.Background(Control::txtFolder0) == BoxColour::kWhite)
      controls_.SetBackground(Control::txtFolder0, BoxColour::kLightGrey);
    drvNew_Change();
    run.intSourceKind = 2;
  } else {
    controls_.SetEnabled(Control::drvNew, false);
    if (controls_.Background(Control::drvNew) == BoxColour::kWhite)
      controls_.SetBackground(Control::drvNew, BoxColour::kLightGrey);
    controls_.SetEnabled(Control::cmdNew0, true);
    controls_.SetEnabled(Control::txtFolder0, true);
    controls_.SetBackground(Control::txtFolder0, BoxColour::kWhite);
    run.intSourceKind = 1;
  }
}

void Form::drvNew_Change() {
  controls_.SetText(Control::txtFolder0, platform::DriveRootFromListText(controls_.CurrentDriveText()));
}

void Form::cmdNew_Click(int16_t index) {
  if (index == 0)
    BrowseFolder(0);
  else
    ClearFolderChoice(0);
}

void Form::cmdOld_Click(int16_t index) {
  if (index == 0)
    BrowseFolder(1);
  else
    ClearFolderChoice(1);
}

void Form::BrowseFolder(int16_t side) {
  const Control box = FolderBox(side);
  try {
    std::string title = side == 0
                            ? "\"\\dorvax\"フォルダが含まれる" + run.strSideName[0] + "フォルダを指定してください"
                            : run.strSideName[1] + "の\"\\dorvax\"フォルダを作成したい" + "フォルダを指定してください";
    std::string chosen = controls_.SelectFolder(title);
    if (!chosen.empty())
      controls_.SetText(box, platform::EndsWithSeparator(chosen) ? chosen : chosen + platform::Sep());
    controls_.SetFocus(box);
  } catch (const platform::RunError& e) {
    MsgBox(OkBox(msg::GenericError(e.number(), e.description()), msg::kTitleError, MsgIcon::kExclamation));
  }
}

bool Form::Form_Unload() {
  if (run.intRunState != 2 && run.intRunState != 3) return false;
  MsgBox(OkBox(kForcedEnd, msg::kTitleStopped, MsgIcon::kExclamation));
  return true;
}

void Form::CloseRequested() {
  if (abortRun_) return;  // the run is already being ended
  Form_Unload();
  if (runInProgress_) abortRun_ = true;
  programEnded_ = true;
}

RunOutcome Form::cmdMain_Click(int16_t index) {
  RunOutcome outcome;
  runInProgress_ = index == 0;
  try {
    dorvax::cmdMain_Click(run, *this, index, outcome);
  } catch (const RunAborted&) {
    // The window was closed during the run and the run has unwound,
    // closing its files: the program ends now, without another box.
    runInProgress_ = false;
    outcome.aborted = true;
    controls_.SetPointer(false);
    Unload();
  } catch (const std::bad_alloc&) {
    // Nothing may escape into the front end's event loop: a failure the run
    // did not handle itself is reported like any other and the window
    // returns to idle.
    RecoverFromUnhandledFailure(7, "メモリが不足しています。");
  } catch (const std::exception& e) {
    RecoverFromUnhandledFailure(51, e.what());
  }
  runInProgress_ = false;
  return outcome;
}

void Form::RecoverFromUnhandledFailure(int32_t number, const std::string& description) {
  runInProgress_ = false;
  controls_.SetPointer(false);
  if (abortRun_) {  // the window is already closed: only the end remains
    Unload();
    return;
  }
  controls_.MsgBox(OkBox(msg::GenericError(number, description), msg::kTitleError, MsgIcon::kCritical));
  if (!controls_.IsEnabled(Control::txtFolder1)) EnableInputControls(true);
  if (controls_.IsVisible(Control::ProgressBar1)) ShowProgress(false);
  run.intRunState = 0;
}

MsgAnswer Form::MsgBox(const MessageBoxRequest& box) {
  // A run ended by closing the window shows nothing more.
  ThrowWhenAborted();
  return controls_.MsgBox(box);
}

void Form::Unload() {
  programEnded_ = true;
  controls_.Unload();
}

void Form::ThrowWhenAborted() const {
  if (abortRun_) throw RunAborted();
}

}  // namespace dorvax
