#pragma once
// The empty destination "dorvax" folder every run writes into: an existing
// one (which the user agreed to replace when the folders were checked) is
// deleted with everything in it, and the folder is created anew.
#include "window/run_state.h"
#include "window/step_result.h"
#include "window/step_window.h"

namespace dorvax {

// kGoOn: strFolderPath(1) is an empty folder; kSameFolder: a failure, shown.
void PrepareDestination(RunState& run, StepWindow& frm, StepResult& result);

}  // namespace dorvax
