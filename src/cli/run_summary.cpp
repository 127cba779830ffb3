#include "cli/run_summary.h"

#include <cstdio>

namespace dorvax::cli {

namespace {
std::string Fixed(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}
std::string Megabytes(uint64_t bytes) { return Fixed(static_cast<double>(bytes) / 1e6, 1); }
}  // namespace

std::string RunSummary(const RunStatistics& stats, int64_t filesLeftOut, const platform::IoTotals& io, double seconds) {
  return "Converted " + std::to_string(stats.filesConverted) + " files (" + std::to_string(filesLeftOut) +
         " left out): " + std::to_string(stats.dvxRecords) + " DVX and " + std::to_string(stats.dvsRecords) +
         " DVS day records, " + std::to_string(stats.textFiles) + " text files; read " + Megabytes(io.bytesRead) +
         " MB, wrote " + Megabytes(io.bytesWritten) + " MB in " + Fixed(seconds, 2) + " s";
}

}  // namespace dorvax::cli
