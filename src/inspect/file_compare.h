#pragma once
// Comparison of the contents of two files of the same kind: DVX and DVS
// record by record and field by field, index and text files line by line,
// anything else byte by byte.
#include <cstddef>
#include <string_view>

#include "inspect/diff_printer.h"
#include "inspect/file_kind.h"

namespace dorvax::inspect {

struct FileTally {
  std::size_t records = 0;           // day records / lines compared (the longer side's count)
  std::size_t differentRecords = 0;  // of these, how many differ or exist on one side only
};

// Prints every difference through `printer` and returns the counts.
FileTally CompareFileContents(FileKind kind, std::string_view a, std::string_view b, DiffPrinter& printer);

FileTally CompareRecordFiles(FileKind kind, std::string_view a, std::string_view b, DiffPrinter& printer);
FileTally CompareTextFiles(std::string_view a, std::string_view b, DiffPrinter& printer);
// The whole file counts as one record.
FileTally CompareByteFiles(std::string_view a, std::string_view b, DiffPrinter& printer);

}  // namespace dorvax::inspect
