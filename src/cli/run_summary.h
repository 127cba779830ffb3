#pragma once
// The one line the batch program prints on stdout after a successful run.
#include <cstdint>
#include <string>

#include "platform/io_counters.h"
#include "window/run_state.h"

namespace dorvax::cli {

// "Converted 1200 files (3 left out): 37200 DVX and 1200 DVS day records,
// 0 text files; read 40.1 MB, wrote 9.5 MB in 2.31 s" (MB = 1,000,000 bytes).
std::string RunSummary(const RunStatistics& stats, int64_t filesLeftOut, const platform::IoTotals& io, double seconds);

}  // namespace dorvax::cli
