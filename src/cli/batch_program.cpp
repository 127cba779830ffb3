#include "cli/batch_program.h"

#include <chrono>
#include <filesystem>
#include <istream>
#include <ostream>
#include <system_error>

#include "cli/batch_options.h"
#include "cli/console_window.h"
#include "cli/run_summary.h"
#include "form/control_layout.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/io_counters.h"
#include "platform/native_path.h"
#include "platform/run_error.h"
#include "platform/standard_path.h"
#include "run/run_controller.h"

namespace dorvax::cli {

namespace {

const char* const kProgram = "dorvax-hconv-batch";
// Starting the program is the answer to this question.
const char* const kConfirmRun = "ファイル変換を実行してよろしいですか？";

int UsageError(const BatchOptions& options, Terminal& terminal) {
  terminal.err << kProgram << ": " << options.error << "\n"
               << UsageLine() << "\n"
               << "Try '" << kProgram << " --help' for more information.\n";
  return 2;
}

// A path of the command line as the folder box takes it: relative paths
// (".", "..", "data") start at the current folder. The window's rule that a
// text of one or two characters must be a drive ("C:") is for what a user
// types into a box; on a command line such texts are ordinary paths.
std::string AbsoluteFolder(const std::string& path) {
  if (path.empty()) return path;
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(platform::NativePathOf(path), ec);
  return ec ? path : platform::Utf8PathOf(absolute);
}

// The window as a user leaves it before pressing "変換実行": "CD-ROM以外"
// chosen and both folder texts typed in.
void ChooseFolders(ConsoleWindow& window, const BatchOptions& options) {
  window.SetSelected(Control::optNew1, true);
  window.form().optNew_Click(1);
  window.SetText(Control::txtFolder0, AbsoluteFolder(options.source));
  window.SetText(Control::txtFolder1, AbsoluteFolder(options.destination));
}

// A run ended by Ctrl+C leaves the destination tree as far as it got, which
// old-edition software would read as if it were whole: the user is told, and
// with --yes the tree goes, as after any other stop.
void HandleInterruptedTree(ConsoleWindow& window, const BatchOptions& options, Terminal& terminal) {
  const RunState& run = window.form().run;
  if (run.intRunState < 2) return;  // no tree begun yet
  const std::string tree = window.form().TrimmedFolderText(1) + "dorvax";
  if (!platform::FolderExists(tree)) return;
  if (!options.assumeYes) {
    terminal.err << kProgram << ": " << tree << " is incomplete; delete it or convert again\n";
    return;
  }
  try {
    platform::DeleteFolderTree(tree);
    terminal.err << kProgram << ": deleted the incomplete " << tree << "\n";
  } catch (const platform::RunError& error) {
    terminal.err << kProgram << ": " << tree << " is incomplete and could not be deleted: " << error.number() << " "
                 << error.description() << "\n";
  }
}

std::string StopReason(const RunOutcome& outcome) {
  if (outcome.errorNumber != 0) return "error " + std::to_string(outcome.errorNumber);
  return "result " + std::to_string(ResultNumber(outcome.result));
}

int Convert(const BatchOptions& options, Terminal& terminal) {
  ConsoleSettings settings;
  settings.assumeYes = options.assumeYes;
  settings.askOnTerminal = terminal.inIsTerminal;
  settings.drawProgress = terminal.errIsTerminal;
  ConsoleWindow window(settings, terminal.in, terminal.err, platform::MakeSystemDrives());
  ChooseFolders(window, options);
  window.PreAnswer(kConfirmRun, MsgAnswer::kYes);

  platform::ResetIoCounters();
  auto start = std::chrono::steady_clock::now();
  RunOutcome outcome = window.form().cmdMain_Click(0);
  if (outcome.aborted) {
    window.EndProgressLine();
    terminal.err << kProgram << ": conversion stopped (interrupted)\n";
    HandleInterruptedTree(window, options, terminal);
    return 1;
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  window.EndProgressLine();
  if (!outcome.completed) {
    const std::string& cause = window.form().run.unshownFailure;
    if (!cause.empty()) terminal.err << kProgram << ": " << cause << "\n";
    terminal.err << kProgram << ": conversion stopped (" << StopReason(outcome) << ")\n";
    return 1;
  }
  const RunState& run = window.form().run;
  terminal.out << RunSummary(run.stats, run.lngUnprocessedFiles, platform::IoCounters(), seconds) << "\n";
  return 0;
}

}  // namespace

int RunBatchProgram(const std::vector<std::string>& args, Terminal& terminal) {
  BatchOptions options = ParseBatchOptions(args);
  switch (options.action) {
    case BatchOptions::Action::kHelp: terminal.out << HelpText(); return 0;
    case BatchOptions::Action::kVersion: terminal.out << kVersionText << "\n"; return 0;
    case BatchOptions::Action::kUsageError: return UsageError(options, terminal);
    case BatchOptions::Action::kRun: break;
  }
  return Convert(options, terminal);
}

}  // namespace dorvax::cli
