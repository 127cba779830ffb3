#pragma once
// A binary-era month's station information file becomes its IDX (and SIDX)
// station index files, and every station line an entry of the station table.
#include <cstdint>
#include <string>

#include "window/run_state.h"
#include "window/step_result.h"
#include "window/step_window.h"

namespace dorvax {

// result stays kGoOn on success and becomes kStationIndexFailed on a failure
// (message shown).
void ConvertStationIndex(RunState& run, StepWindow& frm, const std::string& sourceFile, const std::string& idxBase,
                         const std::string& sidxBase, StepResult& result);

}  // namespace dorvax
