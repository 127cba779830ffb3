#include "oldtree/prepare_destination.h"

#include "platform/file_system.h"
#include "platform/native_path.h"
#include "window/check_failure.h"

namespace dorvax {

void PrepareDestination(RunState& run, StepWindow& frm, StepResult& result) {
  result = StepResult::kGoOn;
  const std::string& tree = run.strFolderPath[1];
  try {
    std::string oldTree = platform::WithoutTrailingSeparator(tree);
    if (platform::FolderExists(oldTree)) {
      platform::SetNormalAttributes(oldTree);
      platform::DeleteFolderTree(oldTree);
    }
    platform::CreateFolder(tree);
    frm.AdvanceProgress(1);
  } catch (const platform::RunError& error) {
    ShowCheckFailure(frm, error);
    result = StepResult::kSameFolder;
  }
}

}  // namespace dorvax
