#pragma once
// The first step of every pass: walks the source month and area folders,
// builds the old edition's folder tree and station index, counts the files
// to convert and, in pass 2 of a two-disc run, hands over to the second disc.
#include <cstdint>

#include "form/form_window.h"

namespace dorvax {

// result: -1 done; 580 call again (disc missing or wrong); 98 bad folder
// name; 99 stopped; 111 station index failed; 9 unexpected disc-check error.
void CreateOldFolders(FormWindow& frm, int16_t pass, int16_t& result);

// result: -1 usable disc; 999 not usable (message shown); 9 unexpected error.
void CheckSecondDisc(FormWindow& frm, int16_t& result);

}  // namespace dorvax
