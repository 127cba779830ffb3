#include "hourly/progress_share.h"

#include <algorithm>

namespace dorvax {

namespace {
constexpr int32_t kConversionUnits = 80;
constexpr int32_t kBarEnd = 100;
}  // namespace

int32_t MilestoneStep(int32_t fileTotal) {
  int32_t quotient = fileTotal / ProgressShare::kMilestones;
  int32_t remainder = fileTotal % ProgressShare::kMilestones;
  int32_t half = ProgressShare::kMilestones / 2;
  if (remainder > half || (remainder == half && quotient % 2 != 0)) ++quotient;
  return quotient;
}

ProgressShare::ProgressShare(StepWindow& frm, int32_t fileTotal, int16_t passes)
    : frm_(frm), total_(fileTotal), useMilestones_(fileTotal >= kMilestones) {
  int32_t passCount = std::max<int32_t>(passes, 1);
  stepUnits_ = kConversionUnits / kMilestones / passCount;
  shareUnits_ = kConversionUnits / passCount;
  if (useMilestones_) {
    int32_t step = MilestoneStep(fileTotal);
    for (int i = 1; i < kMilestones; ++i) milestone_[static_cast<std::size_t>(i)] = step * i;
    milestone_[kMilestones] = fileTotal;
  }
}

void ProgressShare::FileConverted() {
  ++handled_;
  if (handled_ % 10 == 0) frm_.AdvanceProgress(0);
  TakeStep();
}

void ProgressShare::FileLeftOut() {
  ++handled_;
  TakeStep();
}

void ProgressShare::TakeStep() {
  if (useMilestones_) {
    if (next_ <= kMilestones && handled_ == milestone_[static_cast<std::size_t>(next_)]) {
      Advance(stepUnits_);
      ++next_;
    }
    // The last counted file completes the share even when rounding put the
    // later milestones beyond it.
    if (handled_ == total_) TakeRemainingSteps();
  } else if (!shareTaken_ && handled_ == total_) {
    Advance(shareUnits_);
    shareTaken_ = true;
  }
}

void ProgressShare::TakeRemainingSteps() {
  while (next_ <= kMilestones) {
    Advance(stepUnits_);
    ++next_;
  }
}

void ProgressShare::CompletePass() {
  if (useMilestones_) {
    TakeRemainingSteps();
  } else if (!shareTaken_) {
    Advance(shareUnits_);
    shareTaken_ = true;
  }
}

void ProgressShare::Advance(int32_t units) {
  // The bar rejects a value beyond its end; a share that would overshoot
  // (the earlier steps of the run took more than theirs) stops at the end.
  float room = static_cast<float>(kBarEnd) - frm_.ProgressValue();
  if (static_cast<float>(units) > room) units = room > 0.0f ? static_cast<int32_t>(room) : 0;
  frm_.AdvanceProgress(units);
}

}  // namespace dorvax
