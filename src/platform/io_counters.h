#pragma once
// Bytes read and written through FileHandle since the last reset, for the
// summary line of the batch program.
#include <cstddef>
#include <cstdint>

namespace dorvax::platform {

struct IoTotals {
  uint64_t bytesRead = 0;
  uint64_t bytesWritten = 0;
};

IoTotals IoCounters();
void ResetIoCounters();

// Called by FileHandle for every successful read and write.
void CountBytesRead(std::size_t bytes);
void CountBytesWritten(std::size_t bytes);

}  // namespace dorvax::platform
