#pragma once
// The first step of every pass: walks the source month and area folders,
// builds the old edition's folder tree and station index, counts the files
// to convert and, in pass 2 of a two-disc run, hands over to the second disc.
#include <cstdint>

#include "window/run_state.h"
#include "window/step_result.h"
#include "window/step_window.h"

namespace dorvax {

// kGoOn: done; kCallAgain: the disc was missing or wrong; kBadName: a folder
// name that does not fit; kStopped: stopped (message shown);
// kStationIndexFailed; kDiscCheckFailed: an unexpected disc-check failure.
void CreateOldFolders(RunState& run, StepWindow& frm, int16_t pass, StepResult& result);

}  // namespace dorvax
