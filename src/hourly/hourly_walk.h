#pragma once
// The walk of one pass over the new-edition hourly tree: year-month folders,
// their area folders and the files in them, in the order the platform lists
// them (this order decides the order of the records in the DVX and DVS
// files). Every file is either converted or, when its name does not fit and
// the user agrees, left out; the progress share is taken file by file.
#include <string>
#include <vector>

#include "formats/hourly_file_names.h"
#include "hourly/hourly_file_contents.h"
#include "hourly/month_record_files.h"
#include "hourly/progress_share.h"
#include "platform/read_ahead.h"
#include "platform/text_file.h"
#include "window/run_state.h"
#include "window/step_window.h"

namespace dorvax {

class HourlyWalk {
 public:
  HourlyWalk(RunState& run, StepWindow& frm, ProgressShare& progress)
      : run_(run), frm_(frm), progress_(progress), ahead_(run.readAheadFiles) {}

  // Converts every file of the tree. Returns false when the user stopped at
  // a file name that does not fit: the stop has been reported, the month's
  // files closed and the focus put back on the source box. Failures are
  // thrown as they come.
  bool Run();

  // Failure paths: closes the input file and every output file still open
  // and stops reading ahead.
  void CloseAll() noexcept;

 private:
  struct Place {
    const std::string& yearMonth;
    const std::string& area;
    const std::string& areaPath;
    Era era;
  };

  bool ConvertYearMonth(const std::string& yearMonth);
  // The files of an area folder that will be read (those whose names fit),
  // in the walk's order, to be read ahead.
  void ReadAhead(const Place& place, const std::vector<std::string>& fileNames, const std::vector<char>& fits);
  // False when the user declined to go on past the file.
  bool HandleFile(const Place& place, const std::string& fileName, bool nameFits);
  bool AskToLeaveOut(const Place& place, const std::string& fileName);
  void StopAtDeclinedName();
  void ReadFile(const Place& place, const std::string& path);
  void WriteTextFile(const Place& place, const std::string& fileName);

  RunState& run_;
  StepWindow& frm_;
  ProgressShare& progress_;
  // Declared before input_, so that it outlives input_, which may still
  // hold the bytes of a file read ahead when the walk ends on a failure.
  platform::FileReadAhead ahead_;
  platform::TextReader input_;
  platform::TextWriter textOutput_;
  MonthRecordFiles month_;
  HourlyFileContents contents_;
};

}  // namespace dorvax
