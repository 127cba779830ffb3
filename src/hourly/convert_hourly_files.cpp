#include "hourly/convert_hourly_files.h"

#include "form/messages.h"
#include "hourly/hourly_walk.h"
#include "hourly/progress_share.h"
#include "platform/run_error.h"

namespace dorvax {

namespace {

constexpr int16_t kResultGoOn = -1;
constexpr int16_t kResultDeclined = 98;
constexpr int16_t kResultFailed = 99;
constexpr int16_t kRunStateConverting = 3;

// In two-disc mode the status line names the disc of the pass.
std::string PassStatus(const FormWindow& frm, int16_t pass, const std::string& text) {
  if (frm.intSourceKind == 1) return msg::Status(text);
  std::size_t disc = pass == 2 ? 1 : 0;
  return msg::Status(frm.strDiscName[disc] + text);
}

bool IsLastPass(const FormWindow& frm, int16_t pass) {
  return frm.intSourceKind == 1 || (frm.intSourceKind == 2 && pass == 2);
}

void ReportLeftOutFiles(FormWindow& frm) {
  frm.MsgBox(OkBox("一部ファイルについては、変換処理を行いませんでした。" + msg::kCrLf + "（未処理ファイル数： " +
                       std::to_string(frm.lngUnprocessedFiles) + " ファイル）",
                   msg::kTitleMessage, MsgIcon::kExclamation));
}

void ReportFailure(FormWindow& frm, const platform::RunError& error) {
  if (error.number() == platform::kErrInputPastEnd) {
    frm.MsgBox(OkBox("ファイル内のデータが足りません。新版データを確認してください。", msg::kTitleStopped,
                     MsgIcon::kCritical));
  } else if (platform::IsDiskFull(error.number())) {
    frm.MsgBox(OkBox(msg::kDiskFull, msg::kTitleStopped, MsgIcon::kCritical));
    frm.FocusFolderBox(1);
  } else {
    frm.MsgBox(OkBox(msg::GenericError(error.number(), error.description()), msg::kTitleStopped,
                     MsgIcon::kCritical));
  }
}

}  // namespace

void ConvertHourlyFiles(FormWindow& frm, int16_t pass, int16_t& result) {
  result = kResultGoOn;
  frm.intRunState = kRunStateConverting;
  ProgressShare progress(frm, frm.lngFileTotal, frm.intSourceKind);
  frm.SetStatus(PassStatus(frm, pass, "新版ファイルを旧版ファイルに変換しています"));
  frm.Repaint();

  // A close request during the walk (RunAborted) is not handled here: it
  // unwinds through the walk, whose files close as it goes.
  HourlyWalk walk(frm, progress);
  try {
    if (!walk.Run()) {
      result = kResultDeclined;
      return;
    }
    progress.CompletePass();
    if (IsLastPass(frm, pass) && frm.lngUnprocessedFiles > 0) ReportLeftOutFiles(frm);
    frm.SetStatus(PassStatus(frm, pass, "ファイル変換処理が終了しました"));
    frm.Repaint();
  } catch (const platform::RunError& error) {
    frm.SetBusyCursor(false);
    ReportFailure(frm, error);
    walk.CloseAll();
    result = kResultFailed;
  }
}

}  // namespace dorvax
