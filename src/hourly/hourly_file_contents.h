#pragma once
// One new-edition hourly file read completely into memory, ready to be
// written: the day records of a binary-era file, or the whole text of a
// text-era file with its lines reshaped. The text, the list of data lines
// and the record lists keep their room from file to file, so once they have
// grown to the largest file nothing is allocated per line, and per file only
// the list that hands value E from day building's first pass to its second.
// The data lines of a binary-era file that the reader holds whole are read
// where they lie; those of a larger one are copied into the text first.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "formats/day_records.h"
#include "formats/station_table.h"
#include "hourly/day_builder.h"
#include "platform/text_file.h"

namespace dorvax {

class HourlyFileContents {
 public:
  // Binary era: line 2 fills the first record through the station table,
  // lines 3 and 4 are skipped and the data lines become day records.
  // A file of fewer than four lines raises error 62.
  void ReadBinaryEra(platform::TextReader& reader, const StationTable& stations);
  // Text era: lines 1 and 2 as they are, the title lines 3 and 4 without
  // their flag columns, every data line reshaped right after it is read.
  void ReadTextEra(platform::TextReader& reader);

  const DvxRecordList& dvxRecords() const { return dvx_; }
  const DvsRecordList& dvsRecords() const { return dvs_; }

  // The text-era file as written: every line followed by CR LF.
  std::string_view Text() const { return std::string_view(text_.data(), textSize_); }

 private:
  void Clear();
  // Room for `bytes` more bytes behind the text kept so far.
  char* Room(std::size_t bytes);
  void Grow(std::size_t bytes);
  void Append(std::string_view bytes);
  // Copies a line behind the ones kept so far.
  void Keep(std::string_view line);
  // The same for a text-era line, followed by CR LF as it will be written.
  void KeepWithEnd(std::string_view line);
  // A data line reshaped straight behind the kept lines, with CR LF.
  void KeepReshaped(std::string_view line);
  // Views of the kept binary-era lines, numbered from 1, once the text no longer grows.
  void IndexDataLines();

  // The kept text is the first textSize_ bytes of text_, which keeps its
  // size from file to file, so that room is made (and filled with zeros)
  // only while it grows to the largest file, and lines are written into it
  // directly.
  std::string text_;
  std::size_t textSize_ = 0;
  std::vector<std::pair<std::size_t, std::size_t>> spans_;  // offset, length
  DataLines dataLines_;
  std::string titleLine_;
  DvxRecordList dvx_;
  DvsRecordList dvs_;
};

}  // namespace dorvax
