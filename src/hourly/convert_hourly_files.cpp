#include "hourly/convert_hourly_files.h"

#include "hourly/hourly_walk.h"
#include "hourly/progress_share.h"
#include "platform/run_error.h"
#include "window/messages.h"

namespace dorvax {

namespace {

constexpr int16_t kRunStateConverting = 3;

// In two-disc mode the status line names the disc of the pass.
std::string PassStatus(const RunState& run, int16_t pass, const std::string& text) {
  if (run.intSourceKind == 1) return msg::Status(text);
  std::size_t disc = pass == 2 ? 1 : 0;
  return msg::Status(run.strDiscName[disc] + text);
}

bool IsLastPass(const RunState& run, int16_t pass) {
  return run.intSourceKind == 1 || (run.intSourceKind == 2 && pass == 2);
}

void ReportLeftOutFiles(const RunState& run, StepWindow& frm) {
  frm.MsgBox(OkBox("一部ファイルについては、変換処理を行いませんでした。" + msg::kCrLf + "（未処理ファイル数： " +
                       std::to_string(run.lngUnprocessedFiles) + " ファイル）",
                   msg::kTitleMessage, MsgIcon::kExclamation));
}

void ReportFailure(RunState& run, StepWindow& frm, const platform::RunError& error) {
  if (error.number() == platform::kErrInputPastEnd || platform::IsDiskFull(error.number()))
    run.unshownFailure = error.what();
  if (error.number() == platform::kErrInputPastEnd) {
    frm.MsgBox(OkBox("ファイル内のデータが足りません。新版データを確認してください。", msg::kTitleStopped,
                     MsgIcon::kCritical));
  } else if (platform::IsDiskFull(error.number())) {
    frm.MsgBox(OkBox(msg::kDiskFull, msg::kTitleStopped, MsgIcon::kCritical));
    frm.FocusFolderBox(1);
  } else {
    frm.MsgBox(OkBox(msg::GenericError(error.number(), error.description()), msg::kTitleStopped, MsgIcon::kCritical));
  }
}

}  // namespace

void ConvertHourlyFiles(RunState& run, StepWindow& frm, int16_t pass, StepResult& result) {
  result = StepResult::kGoOn;
  run.intRunState = kRunStateConverting;
  ProgressShare progress(frm, run.lngFileTotal, run.intSourceKind);
  frm.SetStatus(PassStatus(run, pass, "新版ファイルを旧版ファイルに変換しています"));
  frm.Repaint();

  // A close request during the walk (RunAborted) is not handled here: it
  // unwinds through the walk, whose files close as it goes.
  HourlyWalk walk(run, frm, progress);
  try {
    if (!walk.Run()) {
      result = StepResult::kBadName;
      return;
    }
    progress.CompletePass();
    if (IsLastPass(run, pass) && run.lngUnprocessedFiles > 0) ReportLeftOutFiles(run, frm);
    frm.SetStatus(PassStatus(run, pass, "ファイル変換処理が終了しました"));
    frm.Repaint();
  } catch (const platform::RunError& error) {
    frm.SetBusyCursor(false);
    ReportFailure(run, frm, error);
    walk.CloseAll();
    result = StepResult::kStopped;
  }
}

}  // namespace dorvax
