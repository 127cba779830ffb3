#pragma once
// The check of the disc inserted for pass 2 of a two-disc run.
#include "window/run_state.h"
#include "window/step_result.h"
#include "window/step_window.h"

namespace dorvax {

// kGoOn: a usable disc; kDiscUnusable: missing or wrong (message shown);
// kDiscCheckFailed: an unexpected failure (message shown).
void CheckSecondDisc(RunState& run, StepWindow& frm, StepResult& result);

}  // namespace dorvax
