#pragma once
// A binary-era month's station information file becomes its IDX (and SIDX)
// station index files, and every station line an entry of the station table.
#include <cstdint>
#include <string>

#include "form/form_window.h"

namespace dorvax {

// result stays -1 on success and becomes 111 on a failure (message shown).
void ConvertStationIndex(FormWindow& frm, const std::string& sourceFile, const std::string& idxBase,
                         const std::string& sidxBase, int16_t& result);

}  // namespace dorvax
