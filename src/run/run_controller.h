#pragma once
// The run controller: "変換実行" (index 0) runs one whole conversion, "終了"
// (index 1) ends the program after a confirmation.
#include <cstdint>

#include "window/run_state.h"
#include "window/step_result.h"
#include "window/step_window.h"

namespace dorvax {

// How a click ended, for a front end that reports it (the exit status of the
// batch program). `completed` is true only when the completion notice was
// shown.
struct RunOutcome {
  bool confirmed = false;  // the run was confirmed (index 0) / the exit was confirmed (index 1)
  bool completed = false;
  bool aborted = false;                   // a close request ended the run and the program (set by the form)
  StepResult result = StepResult::kGoOn;  // the step result the run ended with
  int32_t errorNumber = 0;                // a failure that no step handled (the controller's own box), else 0
};

void cmdMain_Click(RunState& run, StepWindow& frm, int16_t index, RunOutcome& outcome);

}  // namespace dorvax
