#pragma once
// Fault injection for what a real file system cannot produce on demand: a
// write failing at the N-th call, an error in the middle of a deletion.
// Every primitive of the platform layer calls Check() before it acts; when a
// test has armed a fault for that kind of operation, the N-th such call
// throws the armed error instead. Unarmed, Check() costs one branch.
#include <cstdint>
#include <string>

namespace dorvax::platform::faults {

enum class Op {
  kAny,
  kOpenRead,
  kOpenWrite,
  kRead,
  kWrite,
  kClose,
  kCreateFolder,
  kDeleteEntry,
  kCopyFile,
  kSetAttributes,
  kListFolder,
};

struct Plan {
  Op op = Op::kAny;          // which operations count (kAny: all)
  int64_t failAt = 1;        // the 1-based call that fails
  int32_t errorNumber = 61;  // the error number thrown
  std::string pathContains;  // only calls whose path holds this text count
  bool sticky = false;       // keep failing every later matching call
};

// Arms a fault; replaces any armed one and restarts the counting.
void Arm(const Plan& plan);
// Removes the armed fault.
void Disarm();
// How many matching calls have been seen since the fault was armed.
int64_t Seen();
// True when the armed fault has fired at least once.
bool Fired();

namespace detail {
extern bool g_armed;
void CheckSlow(Op op, const std::string& path);
}  // namespace detail

inline void Check(Op op, const std::string& path) {
  if (detail::g_armed) detail::CheckSlow(op, path);
}

// Arms a fault for the lifetime of a scope (tests).
class ScopedFault {
 public:
  explicit ScopedFault(const Plan& plan) { Arm(plan); }
  ~ScopedFault() { Disarm(); }
  ScopedFault(const ScopedFault&) = delete;
  ScopedFault& operator=(const ScopedFault&) = delete;
};

}  // namespace dorvax::platform::faults
