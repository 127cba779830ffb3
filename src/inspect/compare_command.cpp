#include "inspect/compare_command.h"

#include <optional>

#include "inspect/command_line.h"
#include "inspect/diff_printer.h"
#include "inspect/file_compare.h"
#include "inspect/file_kind.h"
#include "inspect/tree_listing.h"
#include "inspect/whole_file.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "platform/run_error.h"

namespace dorvax::inspect {

namespace {

constexpr const char* kProgram = "dorvax-compare";

constexpr const char* kUsage =
    "Usage: dorvax-compare [options] A B\n"
    "Compares two old-edition trees (folders) or two files.\n"
    "\n"
    "Files are paired by their path below A and B; a file or folder on one\n"
    "side only is a difference. DVX and DVS files are compared record by\n"
    "record and field by field, IDX, SIDX and text-era files (.csv files and\n"
    "everything below a month folder of 2000 or later) line by line, other\n"
    "files byte by byte. Record numbers and line numbers count from 1.\n"
    "\n"
    "Values read as dorvax-dump shows them: C and D in decimal form\n"
    "(123 -> 12.3), B as B1 (low byte) and B2 (high byte, signed), only the\n"
    "part that differs, and a missing value as null. Two marks of a missing\n"
    "B (-1 and 32767) are told apart as stored: \"value B (stored): -1 != 32767\".\n"
    "\n"
    "Options:\n"
    "  --max-diffs N   print at most N difference lines per file (default 100);\n"
    "                  all differences are counted in the summary\n"
    "  --help          this text\n"
    "\n"
    "The last line reads \"N different records out of M in K files\" (records\n"
    "are day records, or lines of text files; a byte-compared file counts as\n"
    "one record).\n"
    "\n"
    "Exit codes: 0 identical; 1 different; 2 an input is missing or\n"
    "unreadable, or the command line is wrong.\n";

constexpr int kExitDifferent = 1;
constexpr int kExitFailure = 2;
constexpr std::size_t kDefaultMaxDiffs = 100;

struct CompareOptions {
  std::size_t maxDiffs = kDefaultMaxDiffs;
  bool help = false;
  std::vector<std::string> inputs;
};

std::optional<std::string> ParseCompareArguments(const std::vector<std::string>& args, CompareOptions& options) {
  bool onlyInputs = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (onlyInputs || arg.empty() || arg[0] != '-' || arg == "-") {
      options.inputs.push_back(arg);
      continue;
    }
    std::optional<std::string> value;
    if (auto inlineValue = SplitInlineValue(arg)) {
      arg = inlineValue->name;
      value = inlineValue->value;
    }
    if (arg == "--") {
      onlyInputs = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--max-diffs") {
      if (!value && i + 1 < args.size()) value = args[++i];
      auto number = value ? ParseWholeNumber(*value) : std::nullopt;
      if (!number || *number < 0) return "--max-diffs needs a whole number of 0 or more";
      options.maxDiffs = static_cast<std::size_t>(*number);
    } else {
      return "unknown option '" + args[i] + "'";
    }
  }
  if (!options.help && options.inputs.size() != 2) return "two inputs are needed, A and B";
  return std::nullopt;
}

enum class InputKind { kMissing, kFile, kFolder };

InputKind KindOfInput(const std::string& path) {
  if (platform::FolderExists(path)) return InputKind::kFolder;
  if (platform::FileExists(path)) return InputKind::kFile;
  return InputKind::kMissing;
}

struct Totals {
  std::size_t files = 0;
  std::size_t records = 0;
  std::size_t differentRecords = 0;
  std::size_t onlyA = 0;
  std::size_t onlyB = 0;
  std::size_t mismatchedEntries = 0;  // a file on one side, a folder on the other
  bool unreadable = false;
};

class Comparer {
 public:
  Comparer(const CompareOptions& options, std::ostream& out, std::ostream& err)
      : options_(options), out_(out), err_(err) {}

  void CompareFiles(const std::string& pathA, const std::string& pathB, const std::string& label) {
    std::optional<std::string> a = Load(pathA);
    std::optional<std::string> b = Load(pathB);
    if (!a || !b) return;
    DiffPrinter printer(out_, label, options_.maxDiffs);
    FileTally tally = CompareFileContents(KindForCompare(label), *a, *b, printer);
    printer.Finish();
    ++totals_.files;
    totals_.records += tally.records;
    totals_.differentRecords += tally.differentRecords;
  }

  void CompareTrees(const std::string& rootA, const std::string& rootB) {
    std::optional<std::vector<TreeEntry>> a = List(rootA);
    std::optional<std::vector<TreeEntry>> b = List(rootB);
    if (!a || !b) return;
    const std::string folderA = WithSeparator(rootA);
    const std::string folderB = WithSeparator(rootB);
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a->size() || j < b->size()) {
      if (j == b->size() || (i < a->size() && PartsLess((*a)[i].parts, (*b)[j].parts))) {
        i = ReportOneSided(*a, i, "A", totals_.onlyA);
      } else if (i == a->size() || PartsLess((*b)[j].parts, (*a)[i].parts)) {
        j = ReportOneSided(*b, j, "B", totals_.onlyB);
      } else {
        const TreeEntry& left = (*a)[i];
        const TreeEntry& right = (*b)[j];
        std::string relative = JoinParts(left.parts);
        if (!left.isFolder && !right.isFolder) {
          CompareFiles(folderA + relative, folderB + relative, relative);
        } else if (left.isFolder != right.isFolder) {
          out_ << relative << (left.isFolder ? ": a folder in A, a file in B\n" : ": a file in A, a folder in B\n");
          ++totals_.mismatchedEntries;
        }
        // Whatever lies in the folder of a file/folder pair exists on
        // that side only.
        i = left.isFolder && !right.isFolder ? SkipBelow(*a, i, "A", totals_.onlyA) : i + 1;
        j = right.isFolder && !left.isFolder ? SkipBelow(*b, j, "B", totals_.onlyB) : j + 1;
      }
    }
  }

  const Totals& totals() const { return totals_; }

  void ReportUnreadable(const std::string& path, const std::string& why) {
    err_ << kProgram << ": " << path << ": " << why << '\n';
    totals_.unreadable = true;
  }

 private:
  static std::string WithSeparator(const std::string& folder) {
    return platform::EndsWithSeparator(folder) ? folder : folder + platform::Sep();
  }

  std::optional<std::string> Load(const std::string& path) {
    try {
      return ReadWholeFile(path);
    } catch (const platform::RunError& e) {
      ReportUnreadable(path, ReadFailureText(e));
      return std::nullopt;
    }
  }

  std::optional<std::vector<TreeEntry>> List(const std::string& root) {
    try {
      return ListTree(root);
    } catch (const platform::RunError& e) {
      ReportUnreadable(root, ReadFailureText(e));
      return std::nullopt;
    }
  }

  // Reports entry `index` (and, for a folder, everything in it) as present
  // on one side only; returns the index after it.
  std::size_t ReportOneSided(const std::vector<TreeEntry>& list, std::size_t index, const char* side,
                             std::size_t& count) {
    const TreeEntry& entry = list[index];
    if (!entry.isFolder) {
      out_ << JoinParts(entry.parts) << ": only in " << side << '\n';
      ++count;
      return index + 1;
    }
    return SkipBelow(list, index, side, count, true);
  }

  // Passes over the folder at `index` and everything in it, counting its
  // files as one-sided; the folder itself is named when `nameFolder`.
  std::size_t SkipBelow(const std::vector<TreeEntry>& list, std::size_t index, const char* side, std::size_t& count,
                        bool nameFolder = false) {
    const TreeEntry& folder = list[index];
    std::size_t end = index + 1;
    std::size_t files = 0;
    while (end < list.size() && IsBelow(list[end].parts, folder.parts)) {
      if (!list[end].isFolder) ++files;
      ++end;
    }
    if (nameFolder || files > 0) {
      out_ << JoinParts(folder.parts) << ": folder only in " << side << " (" << files
           << (files == 1 ? " file)\n" : " files)\n");
      count += nameFolder ? 1 + files : files;
    }
    return end;
  }

  const CompareOptions& options_;
  std::ostream& out_;
  std::ostream& err_;
  Totals totals_;
};

void PrintSummary(const Totals& t, std::ostream& out) {
  if (t.onlyA > 0 || t.onlyB > 0) out << t.onlyA << " entries only in A, " << t.onlyB << " only in B\n";
  out << t.differentRecords << " different records out of " << t.records << " in " << t.files << " files\n";
}

int ExitCodeOf(const Totals& t) {
  if (t.unreadable) return kExitFailure;
  bool different = t.differentRecords > 0 || t.onlyA > 0 || t.onlyB > 0 || t.mismatchedEntries > 0;
  return different ? kExitDifferent : 0;
}

}  // namespace

int RunCompare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CompareOptions options;
  if (auto problem = ParseCompareArguments(args, options)) {
    err << kProgram << ": " << *problem << "\n"
        << "Try 'dorvax-compare --help'.\n";
    return kExitFailure;
  }
  if (options.help) {
    out << kUsage;
    return 0;
  }
  const std::string& pathA = options.inputs[0];
  const std::string& pathB = options.inputs[1];
  InputKind kindA = KindOfInput(pathA);
  InputKind kindB = KindOfInput(pathB);
  bool missing = false;
  for (const auto& [path, kind] : {std::pair{pathA, kindA}, std::pair{pathB, kindB}}) {
    if (kind != InputKind::kMissing) continue;
    err << kProgram << ": " << path << ": no such file or folder\n";
    missing = true;
  }
  if (missing) return kExitFailure;
  if (kindA != kindB) {
    err << kProgram << ": cannot compare " << (kindA == InputKind::kFolder ? "the folder " : "the file ") << pathA
        << " with " << (kindB == InputKind::kFolder ? "the folder " : "the file ") << pathB << '\n';
    return kExitFailure;
  }
  Comparer comparer(options, out, err);
  if (kindA == InputKind::kFolder)
    comparer.CompareTrees(pathA, pathB);
  else
    comparer.CompareFiles(pathA, pathB, std::string(FileNameOf(pathA)));
  PrintSummary(comparer.totals(), out);
  out.flush();
  return ExitCodeOf(comparer.totals());
}

}  // namespace dorvax::inspect
