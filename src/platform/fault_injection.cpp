#include "platform/fault_injection.h"

#include "platform/run_error.h"

namespace dorvax::platform::faults {

namespace detail {
bool g_armed = false;
}

namespace {
Plan g_plan;
int64_t g_seen = 0;
bool g_fired = false;
}  // namespace

void Arm(const Plan& plan) {
  g_plan = plan;
  g_seen = 0;
  g_fired = false;
  detail::g_armed = true;
}

void Disarm() { detail::g_armed = false; }

int64_t Seen() { return g_seen; }

bool Fired() { return g_fired; }

void detail::CheckSlow(Op op, const std::string& path) {
  if (g_plan.op != Op::kAny && g_plan.op != op) return;
  if (!g_plan.pathContains.empty() && path.find(g_plan.pathContains) == std::string::npos) return;
  ++g_seen;
  if (g_seen == g_plan.failAt || (g_plan.sticky && g_seen > g_plan.failAt)) {
    g_fired = true;
    throw MakeError(g_plan.errorNumber, path + " [injected]");
  }
}

}  // namespace dorvax::platform::faults
