#pragma once
// Shared pieces of the inspection tests: records as bytes (written by hand
// and through the core's encoder), small old-edition trees, and runs of
// the commands in-process and as programs.
#include <cstdint>
#include <string>
#include <vector>

#include "formats/day_records.h"
#include "support/program_run.h"

namespace dorvax::inspect::testing {

// Little-endian integers appended to a byte string, independent of the
// core's encoder.
void PutInt16(std::string& bytes, int16_t value);
void PutInt32(std::string& bytes, int32_t value);

// The fixed trailer of a DVX record as bytes (34 + 16 bytes).
std::string DvxTrailerBytes();

// A record with every value MISSING and the fixed trailer.
DvxDayRecord EmptyDvx(int32_t station, int16_t kind, int16_t year, int16_t month, int16_t day);
DvsDayRecord EmptyDvs(int32_t station, int16_t year, int16_t month, int16_t day);

// A record's bytes through the core's encoder.
std::string Bytes(const DvxDayRecord& record);
std::string Bytes(const DvsDayRecord& record);

// A command's exit status and both its streams, run in-process or as a program.
using RunResult = dorvax::testing::ProgramResult;
using dorvax::testing::RunProgram;

RunResult Dump(const std::vector<std::string>& args);
RunResult Compare(const std::vector<std::string>& args);

// Number of lines in a text.
std::size_t CountLines(const std::string& text);

}  // namespace dorvax::inspect::testing
