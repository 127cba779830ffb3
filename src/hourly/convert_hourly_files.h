#pragma once
// One pass of the hourly conversion: every hourly file of the source tree
// becomes day records in the DVX/DVS files of its year-month (years up to
// 1999) or a reshaped text file (years from 2000).
#include <cstdint>

#include "window/run_state.h"
#include "window/step_result.h"
#include "window/step_window.h"

namespace dorvax {

// kGoOn: converted; kBadName: stopped at a declined file name; kStopped:
// stopped on a failure that has been reported.
void ConvertHourlyFiles(RunState& run, StepWindow& frm, int16_t pass, StepResult& result);

}  // namespace dorvax
