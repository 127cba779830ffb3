#pragma once
// The result every step of a run hands back to its caller. -1 lets the run
// go on and 580 asks for the same step again; every other value stops the
// run, with the step's message already shown. The values are the numbers the
// batch program prints ("result 98").
#include <cstdint>

namespace dorvax {

enum class StepResult : int16_t {
  kGoOn = -1,                 // done; the run goes on
  kSourceRefused = 0,         // the source folder text was refused (or failed while checked)
  kDestinationRefused = 1,    // the destination folder text was refused (or failed while checked)
  kSameFolder = 2,            // both sides name one folder, or a failure after both sides passed
  kDiscCheckFailed = 9,       // an unexpected failure while the second disc was checked
  kNotCdRom = 10,             // not a CD-ROM drive in CD-ROM mode, or no hourly tree in the source
  kOldTreeKept = 11,          // the user kept the existing destination "dorvax" folder
  kBadName = 98,              // a folder name that does not fit, or a declined file name
  kStopped = 99,              // stopped after a reported failure (or no source kind chosen)
  kStationIndexFailed = 111,  // a station information file could not be converted
  kCallAgain = 580,           // the disc was missing or wrong: the same step again
  kDiscUnusable = 999,        // the disc inserted for pass 2 cannot be used (message shown)
};

inline int ResultNumber(StepResult result) { return static_cast<int>(result); }

}  // namespace dorvax
