#include "cli/batch_program.h"

#include <chrono>
#include <istream>
#include <ostream>

#include "cli/batch_options.h"
#include "cli/console_window.h"
#include "cli/run_summary.h"
#include "form/control_layout.h"
#include "platform/drives.h"
#include "platform/io_counters.h"
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

// The window as a user leaves it before pressing "変換実行": "CD-ROM以外"
// chosen and both folder texts typed in.
void ChooseFolders(ConsoleWindow& window, const BatchOptions& options) {
  window.SetSelected(Control::optNew1, true);
  window.form().optNew_Click(1);
  window.SetText(Control::txtFolder0, options.source);
  window.SetText(Control::txtFolder1, options.destination);
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
    return 1;
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  window.EndProgressLine();
  if (!outcome.completed) {
    terminal.err << kProgram << ": conversion stopped (" << StopReason(outcome) << ")\n";
    return 1;
  }
  terminal.out << RunSummary(window.form().run.stats, window.form().run.lngUnprocessedFiles, platform::IoCounters(), seconds) << "\n";
  return 0;
}

}  // namespace

int RunBatchProgram(const std::vector<std::string>& args, Terminal& terminal) {
  BatchOptions options = ParseBatchOptions(args);
  switch (options.action) {
    case BatchOptions::Action::kHelp:
      terminal.out << HelpText();
      return 0;
    case BatchOptions::Action::kVersion:
      terminal.out << kVersionText << "\n";
      return 0;
    case BatchOptions::Action::kUsageError:
      return UsageError(options, terminal);
    case BatchOptions::Action::kRun:
      break;
  }
  return Convert(options, terminal);
}

}  // namespace dorvax::cli
