#include "cli/batch_options.h"

namespace dorvax::cli {

BatchOptions ParseBatchOptions(const std::vector<std::string>& args) {
  BatchOptions options;
  std::vector<std::string> folders;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      folders.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      options.action = BatchOptions::Action::kHelp;
      return options;
    } else if (arg == "--version") {
      options.action = BatchOptions::Action::kVersion;
      return options;
    } else if (arg == "--yes" || arg == "-y") {
      options.assumeYes = true;
    } else {
      options.error = "unknown option " + arg;
      return options;
    }
  }
  if (folders.size() != 2) {
    options.error = folders.size() < 2 ? "SOURCE and DEST are required" : "too many arguments";
    return options;
  }
  options.action = BatchOptions::Action::kRun;
  options.source = folders[0];
  options.destination = folders[1];
  return options;
}

std::string UsageLine() { return "Usage: dorvax-hconv-batch [--yes] SOURCE DEST"; }

std::string HelpText() {
  return UsageLine() +
         "\n"
         "\n"
         "Converts the new-edition hourly tree SOURCE/dorvax/hourly/ into the old-edition\n"
         "tree DEST/dorvax/, as the window does with \"CD-ROM以外\" chosen. SOURCE is the\n"
         "folder that holds dorvax/hourly/ (a disc's mount point or a copy of it); DEST\n"
         "must exist: the program creates DEST/dorvax in it, not DEST itself. Starting\n"
         "the program confirms the conversion. Every message box is printed to stderr\n"
         "as \"[title] text\".\n"
         "\n"
         "Questions (Yes/No, OK/Cancel) are answered:\n"
         "  with --yes       Yes / OK: an existing DEST/dorvax is deleted and built anew,\n"
         "                   a file whose name does not fit is left out and the run goes\n"
         "                   on, and after a stop the partly built DEST/dorvax is deleted.\n"
         "  on a terminal    asked: y or n, Enter takes the box's default.\n"
         "  otherwise        No / Cancel: an existing DEST/dorvax is kept and the run\n"
         "                   stops, the run stops at a file whose name does not fit, and\n"
         "                   after a stop the partly built DEST/dorvax is kept.\n"
         "\n"
         "Options:\n"
         "  -y, --yes        answer Yes / OK to every question\n"
         "  -h, --help       show this text\n"
         "      --version    show the version\n"
         "\n"
         "Progress: when stderr is a terminal, the status line and the percentage are\n"
         "shown on one line redrawn in place; otherwise (stderr redirected to a file or\n"
         "a pipe) no progress is printed, only the message boxes.\n"
         "\n"
         "Ctrl+C: the run stops; the partly written DEST/dorvax is reported on stderr\n"
         "as incomplete and, with --yes, deleted. A second Ctrl+C ends the program at\n"
         "once.\n"
         "\n"
         "On success one summary line is printed to stdout.\n"
         "Exit status: 0 converted; 1 the conversion stopped, the last line on stderr\n"
         "naming why: \"conversion stopped (result N)\" with the step's result, or\n"
         "\"(error N)\" for a failure no step handled (README.md lists them all);\n"
         "2 wrong usage.\n";
}

}  // namespace dorvax::cli
