#pragma once
// The box of a failure while the folders are checked or the destination is
// prepared: a destination that cannot be written or a tree held open (70)
// sends the user back to the destination box; anything else is reported
// with its number and description.
#include "platform/run_error.h"
#include "window/step_window.h"

namespace dorvax {

void ShowCheckFailure(StepWindow& frm, const platform::RunError& error);

}  // namespace dorvax
