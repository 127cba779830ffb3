#pragma once
// The checks before a run: both folder choices, the source drive and the
// source tree, and the preparation of the empty destination "dorvax" folder.
#include <cstdint>

#include "form/form_window.h"

namespace dorvax {

// result: -1 passed; 0 source; 1 destination; 2 same folder or an error
// after both sides passed; 10 not a CD-ROM drive / no hourly tree; 11 the
// user kept the existing "dorvax"; 99 no source kind chosen.
void CheckFolders(FormWindow& frm, int16_t& result);

}  // namespace dorvax
