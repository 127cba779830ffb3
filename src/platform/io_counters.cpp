#include "platform/io_counters.h"

#include <atomic>

namespace dorvax::platform {

namespace {
std::atomic<uint64_t> g_bytesRead{0};
std::atomic<uint64_t> g_bytesWritten{0};
}  // namespace

IoTotals IoCounters() { return {g_bytesRead.load(), g_bytesWritten.load()}; }

void ResetIoCounters() {
  g_bytesRead = 0;
  g_bytesWritten = 0;
}

void CountBytesRead(std::size_t bytes) { g_bytesRead.fetch_add(bytes, std::memory_order_relaxed); }
void CountBytesWritten(std::size_t bytes) { g_bytesWritten.fetch_add(bytes, std::memory_order_relaxed); }

}  // namespace dorvax::platform
