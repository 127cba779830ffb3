#pragma once
// The rows of dorvax-dump: one per day record or index line, as CSV (with a
// header line whenever the columns change) or as JSON lines.
#include <cstddef>
#include <ostream>
#include <string>

#include "formats/day_records.h"
#include "inspect/file_kind.h"
#include "inspect/index_line.h"

namespace dorvax::inspect {

enum class DumpFormat { kCsv, kJson };

class DumpWriter {
 public:
  DumpWriter(std::ostream& out, DumpFormat format) : out_(out), format_(format) {}

  // `index` is 1-based; `file` is the path as the user gave it.
  void WriteDvx(const std::string& file, std::size_t index, const DvxDayRecord& record);
  void WriteDvs(const std::string& file, std::size_t index, const DvsDayRecord& record);
  // `lineNumber` is 1-based; the fields are raw CP932 and shown as UTF-8.
  void WriteIndexLine(const std::string& file, FileKind kind, std::size_t lineNumber, const IndexLineFields& line);

 private:
  enum class Columns { kNone, kDvx, kDvs, kIndex };
  // Writes the CSV header when the columns differ from the last header.
  void UseColumns(Columns columns);

  std::ostream& out_;
  DumpFormat format_;
  Columns columns_ = Columns::kNone;
};

}  // namespace dorvax::inspect
