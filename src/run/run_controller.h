#pragma once
// The run controller: "変換実行" (index 0) runs one whole conversion, "終了"
// (index 1) ends the program after a confirmation.
#include <cstdint>

#include "form/form_window.h"

namespace dorvax {

void cmdMain_Click(FormWindow& frm, int16_t index);

}  // namespace dorvax
