#include "run/run_controller.h"

#include <string>

#include "hourly/convert_hourly_files.h"
#include "oldtree/create_old_folders.h"
#include "oldtree/prepare_destination.h"
#include "platform/file_system.h"
#include "platform/run_error.h"
#include "validation/check_folders.h"
#include "window/messages.h"

namespace dorvax {

namespace {

const char* const kConfirmRun = "ファイル変換を実行してよろしいですか？";
const char* const kConfirmExit = "変換プログラムを終了してよろしいですか？";
const char* const kFinished = "Dorvaxデータの変換処理が完了しました。";
const char* const kOfferDeletion = "作成した旧版の\"\\dorvax\"フォルダを削除しますか。";
const char* const kDeleting = "作成した旧版\"\\dorvax\"フォルダを削除しています";
// What the previous run left behind must not leak into this one. A run
// that ended on the generic error box keeps its run state; this run has
// begun no tree yet, so a stop before it begins one must not offer to
// delete the "dorvax" folder of whatever destination is chosen now.
void ResetRunCounters(RunState& run) {
  run.intRunState = 0;
  run.lngUnprocessedFiles = 0;
  run.indexFilesWritten.clear();
  run.stats = RunStatistics{};
  run.unshownFailure.clear();
}

// The tree of one pass. A missing or wrong disc (580) is asked for again
// only at the hand-over to the second disc, where the insert prompt offers
// "キャンセル" as a way out. Anywhere else the same call would fail again
// with nothing the user could do about it, so 580 ends the run there like
// any other stop.
void BuildTree(RunState& run, StepWindow& frm, int16_t pass, int16_t passes, StepResult& result) {
  CreateOldFolders(run, frm, pass, result);
  bool mayRetry = passes == 2 && pass == 2;
  while (result == StepResult::kCallAgain && mayRetry) CreateOldFolders(run, frm, pass, result);
  // The step set the hourglass again for a call that does not come.
  if (result == StepResult::kCallAgain) frm.SetBusyCursor(false);
}

// The checks and the passes; once the result is no longer -1 the remaining
// passes do nothing.
void RunSteps(RunState& run, StepWindow& frm, StepResult& result) {
  CheckFolders(run, frm, result);
  if (result == StepResult::kGoOn) PrepareDestination(run, frm, result);
  const int16_t passes = run.intSourceKind;
  for (int16_t pass = 1; pass <= passes; ++pass) {
    if (result == StepResult::kGoOn) BuildTree(run, frm, pass, passes, result);
    if (result == StepResult::kGoOn) ConvertHourlyFiles(run, frm, pass, result);
  }
}

void ReportSuccess(StepWindow& frm) {
  frm.SetBusyCursor(false);
  frm.MsgBox(OkBox(kFinished, msg::kTitleFinished, MsgIcon::kInformation));
  frm.EnableInputControls(true);
  frm.SetFocus(Control::cmdMain1);
}

void DeleteBuiltTree(StepWindow& frm) {
  frm.SetBusyCursor(true);
  frm.EnableInputControls(false);
  frm.SetStatus(msg::Status(kDeleting));
  frm.SetProgressValue(0);
  frm.Repaint();
  platform::DeleteFolderTree(frm.TrimmedFolderText(1) + "dorvax");
  frm.SetBusyCursor(false);
}

// A stop: the step has shown its message. Once the destination tree was
// begun (state 2 or more) the user may have the partial tree deleted.
void HandleStop(const RunState& run, StepWindow& frm) {
  if (run.intRunState >= 2 && platform::FolderExists(frm.TrimmedFolderText(1))) {
    if (frm.MsgBox(YesNoBox(kOfferDeletion)) == MsgAnswer::kYes) DeleteBuiltTree(frm);
  }
  if (!frm.IsEnabled(Control::txtFolder1)) frm.EnableInputControls(true);
}

// The end of every run that gets past the steps: the notice or the deletion
// offer, then the window back to idle.
void FinishRun(RunState& run, StepWindow& frm, StepResult result, RunOutcome& outcome) {
  if (result == StepResult::kGoOn) {
    ReportSuccess(frm);
    outcome.completed = true;
  } else {
    HandleStop(run, frm);
  }
  if (frm.IsVisible(Control::ProgressBar1)) frm.ShowProgress(false);
  run.intRunState = 0;
}

void RunConversion(RunState& run, StepWindow& frm, RunOutcome& outcome) {
  if (frm.MsgBox(YesNoBox(kConfirmRun)) != MsgAnswer::kYes) return;
  outcome.confirmed = true;
  ResetRunCounters(run);
  StepResult& result = outcome.result;
  result = StepResult::kGoOn;
  try {
    RunSteps(run, frm, result);
  } catch (const platform::RunError& error) {
    // A full destination disk that no step caught: the run goes on after
    // the failed operation with a stopped result, so the remaining steps
    // are skipped and the deletion offer follows.
    if (!platform::IsDiskFull(error.number())) throw;
    // The window is idle after this run whatever the deletion offer's
    // answer, so the hourglass goes now, just as each step takes it away
    // before its own box.
    frm.SetBusyCursor(false);
    frm.MsgBox(OkBox(msg::kDiskFull, msg::kTitleStopped, MsgIcon::kCritical));
    result = StepResult::kStopped;
  }
  FinishRun(run, frm, result, outcome);
}

void ExitProgram(StepWindow& frm, RunOutcome& outcome) {
  if (frm.MsgBox(YesNoBox(kConfirmExit)) != MsgAnswer::kYes) return;
  outcome.confirmed = true;
  frm.Unload();
}

// Any other failure: the generic box, the window back to idle as far as the
// controls and the progress display go; no deletion is offered.
void HandleFailure(StepWindow& frm, const platform::RunError& error) {
  frm.SetBusyCursor(false);
  frm.MsgBox(OkBox(msg::GenericError(error.number(), error.description()), msg::kTitleError, MsgIcon::kCritical));
  if (!frm.IsEnabled(Control::txtFolder1)) frm.EnableInputControls(true);
  frm.ShowProgress(false);
}

}  // namespace

void cmdMain_Click(RunState& run, StepWindow& frm, int16_t index, RunOutcome& outcome) {
  outcome = RunOutcome{};
  // RunAborted (the window was closed during the run) is not a RunError and
  // passes through untouched, so the front end can end the program.
  try {
    if (index == 0)
      RunConversion(run, frm, outcome);
    else
      ExitProgram(frm, outcome);
  } catch (const platform::RunError& error) {
    outcome.completed = false;
    outcome.errorNumber = error.number();
    HandleFailure(frm, error);
  }
}

}  // namespace dorvax
