#pragma once
// The checks before a run: both folder choices, the source drive, the source
// tree, and the user's consent to replace an existing destination "dorvax"
// folder. They change nothing on disk.
#include "window/run_state.h"
#include "window/step_result.h"
#include "window/step_window.h"

namespace dorvax {

// kGoOn: passed, strFolderPath set (an existing destination "dorvax" folder
// may be replaced); otherwise the refusal has been shown: kSourceRefused,
// kDestinationRefused, kSameFolder (also a failure after both sides passed),
// kNotCdRom (also no hourly tree), kOldTreeKept, kStopped (no source kind).
void CheckFolders(RunState& run, StepWindow& frm, StepResult& result);

}  // namespace dorvax
