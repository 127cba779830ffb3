#include "inspect/dump_command.h"

#include <algorithm>
#include <optional>

#include "formats/day_records.h"
#include "inspect/command_line.h"
#include "inspect/dump_writer.h"
#include "inspect/file_kind.h"
#include "inspect/index_line.h"
#include "inspect/text_lines.h"
#include "inspect/whole_file.h"
#include "platform/file_system.h"
#include "platform/numeric_text.h"
#include "platform/run_error.h"

namespace dorvax::inspect {

namespace {

constexpr const char* kProgram = "dorvax-dump";

constexpr const char* kUsage =
    "Usage: dorvax-dump [options] FILE...\n"
    "Prints the day records of old-edition DVX and DVS files and the station\n"
    "lines of IDX and SIDX index files, one output line each.\n"
    "\n"
    "The kind of a file is taken from its name (DVXyyyy.mm, DVSyyyy.mm,\n"
    "IDXyyyy.mm, SIDXyyyy.mm, letter case ignored) unless --type is given.\n"
    "\n"
    "Options:\n"
    "  --type dvx|dvs|idx|sidx  read every FILE as this kind\n"
    "  --csv                    CSV with a header line (the default)\n"
    "  --json                   one JSON object per line\n"
    "  --station N              only records / index lines of station N\n"
    "  --day D                  only day records of day D (index lines have no day)\n"
    "  --help                   this text\n"
    "\n"
    "DVX hours show A, B1 (low byte of B), B2 (high byte, signed), C and D\n"
    "(C and D in decimal form, 123 -> 12.3); DVS hours show E. A missing value\n"
    "is an empty field (null in JSON). Index lines are shown as UTF-8, cut into\n"
    "their eleven fields.\n"
    "\n"
    "Exit codes: 0 done; 1 a file does not end on a whole record (what is\n"
    "whole is printed, the offset of the broken tail goes to stderr);\n"
    "2 a file is missing or unreadable, or the command line is wrong.\n";

constexpr int kExitBrokenTail = 1;
constexpr int kExitFailure = 2;

struct DumpOptions {
  std::optional<FileKind> forcedKind;
  DumpFormat format = DumpFormat::kCsv;
  std::optional<long long> station;
  std::optional<long long> day;
  bool help = false;
  std::vector<std::string> files;
};

// Parses the arguments; returns the error text when they are wrong.
std::optional<std::string> ParseDumpArguments(const std::vector<std::string>& args, DumpOptions& options) {
  bool onlyFiles = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (onlyFiles || arg.empty() || arg[0] != '-' || arg == "-") {
      options.files.push_back(arg);
      continue;
    }
    std::optional<std::string> value;
    if (auto inlineValue = SplitInlineValue(arg)) {
      arg = inlineValue->name;
      value = inlineValue->value;
    }
    auto needValue = [&]() -> std::optional<std::string> {
      if (value) return value;
      if (i + 1 < args.size()) return args[++i];
      return std::nullopt;
    };
    if (arg == "--") {
      onlyFiles = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--json" && !value) {
      options.format = DumpFormat::kJson;
    } else if (arg == "--csv" && !value) {
      options.format = DumpFormat::kCsv;
    } else if (arg == "--type") {
      auto text = needValue();
      if (!text) return "--type needs a value (dvx, dvs, idx or sidx)";
      options.forcedKind = KindFromOption(*text);
      if (!options.forcedKind) return "unknown --type '" + *text + "' (use dvx, dvs, idx or sidx)";
    } else if (arg == "--station" || arg == "--day") {
      auto text = needValue();
      auto number = text ? ParseWholeNumber(*text) : std::nullopt;
      if (!number) return arg + " needs a whole number";
      (arg == "--station" ? options.station : options.day) = number;
    } else {
      return "unknown option '" + args[i] + "'";
    }
  }
  if (!options.help && options.files.empty()) return "no file given";
  return std::nullopt;
}

class FileDumper {
 public:
  FileDumper(const DumpOptions& options, DumpWriter& writer, std::ostream& out, std::ostream& err)
      : options_(options), writer_(writer), out_(out), err_(err) {}

  // Dumps one file; returns its exit code. The file is read before its
  // name is looked at, so that a mistyped path is told as a missing file
  // rather than as a name of no known kind.
  int Dump(const std::string& path) {
    std::string bytes;
    if (!Load(path, bytes)) return kExitFailure;
    std::optional<FileKind> kind = options_.forcedKind ? options_.forcedKind : KindFromOldName(FileNameOf(path));
    if (!kind) {
      Fail(path, "cannot tell the kind of file from its name (use --type dvx|dvs|idx|sidx)");
      return kExitFailure;
    }
    if (IsIndexKind(*kind)) {
      DumpIndexLines(path, *kind, bytes);
      return 0;
    }
    return DumpRecords(path, *kind, bytes);
  }

 private:
  bool Load(const std::string& path, std::string& bytes) {
    if (platform::FolderExists(path)) {
      Fail(path, "is a folder, not a file");
      return false;
    }
    try {
      bytes = ReadWholeFile(path);
      return true;
    } catch (const platform::RunError& e) {
      bool missing = e.number() == platform::kErrFileNotFound || e.number() == platform::kErrPathNotFound;
      Fail(path, missing ? "no such file" : ReadFailureText(e));
      return false;
    }
  }

  bool StationWanted(long long station) const { return !options_.station || *options_.station == station; }
  bool DayWanted(long long day) const { return !options_.day || *options_.day == day; }

  int DumpRecords(const std::string& path, FileKind kind, const std::string& bytes) {
    std::size_t size = RecordSizeOf(kind);
    std::size_t whole = bytes.size() / size;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t i = 0; i < whole; ++i) {
      const unsigned char* at = data + i * size;
      if (kind == FileKind::kDvx) {
        DvxDayRecord record = DecodeDvxRecord(at);
        if (StationWanted(record.lngStationNo) && DayWanted(record.intDay)) writer_.WriteDvx(path, i + 1, record);
      } else {
        DvsDayRecord record = DecodeDvsRecord(at);
        if (StationWanted(record.lngStationNo) && DayWanted(record.intDay)) writer_.WriteDvs(path, i + 1, record);
      }
    }
    std::size_t tail = bytes.size() - whole * size;
    if (tail == 0) return 0;
    Fail(path, "broken tail of " + std::to_string(tail) + " bytes at byte offset " + std::to_string(whole * size) +
                   " (not a whole " + std::to_string(size) + "-byte record)");
    return kExitBrokenTail;
  }

  void DumpIndexLines(const std::string& path, FileKind kind, const std::string& bytes) {
    std::size_t number = 0;
    for (const TextLine& line : SplitLines(bytes)) {
      ++number;
      IndexLineFields fields = SplitIndexLine(line.text);
      if (options_.station) {
        auto station = platform::TryReadInt32(fields.fields[0]);
        if (!station || !StationWanted(*station)) continue;
      }
      writer_.WriteIndexLine(path, kind, number, fields);
    }
  }

  // Output so far goes out first, so that the message follows the rows it
  // concerns when both streams show on one terminal.
  void Fail(const std::string& path, const std::string& text) {
    out_.flush();
    err_ << kProgram << ": " << path << ": " << text << '\n';
  }

  const DumpOptions& options_;
  DumpWriter& writer_;
  std::ostream& out_;
  std::ostream& err_;
};

}  // namespace

int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  DumpOptions options;
  if (auto problem = ParseDumpArguments(args, options)) {
    err << kProgram << ": " << *problem << "\n"
        << "Try 'dorvax-dump --help'.\n";
    return kExitFailure;
  }
  if (options.help) {
    out << kUsage;
    return 0;
  }
  DumpWriter writer(out, options.format);
  FileDumper dumper(options, writer, out, err);
  int code = 0;
  for (const std::string& path : options.files) code = std::max(code, dumper.Dump(path));
  out.flush();
  return code;
}

}  // namespace dorvax::inspect
