#pragma once
// The hourly conversion's share of the progress bar for one pass: 80 units
// over the whole run, split evenly between the passes. With 20 or more files
// the share is taken in 20 equal steps at milestones spread over the counted
// files; with fewer files it is taken at once after the last one.
//
// The pass always adds exactly its share, whatever the walk meets: steps the
// milestones cannot reach (rounding put them beyond the last file) are taken
// at the last counted file, files beyond the count take no step, and steps
// still missing when the walk ends (fewer files than counted) are taken then.
#include <array>
#include <cstdint>

#include "window/step_window.h"

namespace dorvax {

class ProgressShare {
 public:
  static constexpr int32_t kMilestones = 20;

  // `fileTotal`: the files counted for the pass; `passes`: 1 or 2.
  ProgressShare(StepWindow& frm, int32_t fileTotal, int16_t passes);

  // A file was converted: it is counted, every tenth lets the window
  // process what is pending, and the progress step follows.
  void FileConverted();
  // A file was left out: it is counted and the progress step follows.
  void FileLeftOut();
  // After the walk: the steps the walk did not reach.
  void CompletePass();

 private:
  void TakeStep();
  void TakeRemainingSteps();
  // Advances the bar, never beyond its end.
  void Advance(int32_t units);

  StepWindow& frm_;
  int32_t total_;
  int32_t stepUnits_;   // per milestone
  int32_t shareUnits_;  // the whole share of the pass
  bool useMilestones_;
  std::array<int32_t, kMilestones + 1> milestone_{};
  int next_ = 1;
  bool shareTaken_ = false;  // fewer than 20 files: the single step is done
  int32_t handled_ = 0;
};

// lngFileTotal / 20 rounded to the nearest integer, a half to the even one.
int32_t MilestoneStep(int32_t fileTotal);

}  // namespace dorvax
