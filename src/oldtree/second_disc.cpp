#include "oldtree/second_disc.h"

#include "formats/source_tree.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/run_error.h"
#include "window/messages.h"

namespace dorvax {

namespace {

constexpr int16_t kStateSecondDisc = 21;

const std::string kWrongDisc = "１枚目のCD-ROMと同様の新版フォルダ構造をもたないCD-ROMが入っています。";

void RefuseDisc(StepWindow& frm, const std::string& text, StepResult& result) {
  frm.SetBusyCursor(false);
  frm.MsgBox(OkBox(text, msg::kTitleError, MsgIcon::kExclamation));
  result = StepResult::kDiscUnusable;
}

// The source of pass 2 where the drive of the first disc has the second
// one: the same folder when the drive keeps its root; where each disc is
// mounted at a path of its own, below the new disc's mount point. False when
// the drive has no disc now. Without a device taken in pass 1 the source
// stays as it is.
bool FollowDiscOfTheSourceDrive(RunState& run, StepWindow& frm) {
  if (run.sourceDevice.empty()) return true;
  const std::string root = frm.drives().MountPointOf(run.sourceDevice);
  if (root.empty()) return false;
  run.strFolderPath[0] = HourlyTreeOf(root);
  return true;
}

}  // namespace

void CheckSecondDisc(RunState& run, StepWindow& frm, StepResult& result) {
  result = StepResult::kGoOn;
  run.intRunState = kStateSecondDisc;
  try {
    frm.SetStatus(msg::Status(run.strDiscName[1] + "フォルダ構成等のチェックを行っています"));
    frm.Repaint();
    const bool discInDrive = FollowDiscOfTheSourceDrive(run, frm);
    const std::string& source = run.strFolderPath[0];
    if (!discInDrive || !frm.drives().IsReady(frm.drives().RootOf(source))) {
      RefuseDisc(frm, msg::kNoDisc, result);
      return;
    }
    // The second disc must hold the same "dorvax/hourly" folder as the first.
    if (platform::FolderExists(source)) return;
    RefuseDisc(frm, kWrongDisc, result);
  } catch (const platform::RunError& error) {
    frm.SetBusyCursor(false);
    frm.MsgBox(OkBox(msg::GenericError(error.number(), error.description()), msg::kTitleStopped, MsgIcon::kCritical));
    result = StepResult::kDiscCheckFailed;
  }
}

}  // namespace dorvax
