#pragma once
// `dorvax-hconv --run-unattended SOURCE DEST`: the window runs one folder
// conversion by itself and ends, so that the window's run can be timed
// against the batch program (bench/run-bench). It does what a user would:
// shows the window, chooses "CD-ROM以外", types both folders and presses
// "変換実行"; every message box takes its default button (Yes or OK, the
// answers of `dorvax-hconv-batch --yes`) without opening. The boxes are
// printed to stderr as "[title] text". Started without this option the
// program reads no command line.
#include <optional>
#include <string>

#include <QStringList>

class QApplication;

namespace dorvax::ui {

struct UnattendedRun {
  std::string source;
  std::string destination;
  bool usageError = false;
};

// Nothing when the arguments (as QApplication left them, program name
// first) do not ask for an unattended run.
std::optional<UnattendedRun> ParseUnattendedRun(const QStringList& arguments);

// Runs it; the exit status: 0 the completion notice was shown, 1 the run
// stopped, 2 wrong usage.
int RunUnattended(QApplication& app, const UnattendedRun& run);

}  // namespace dorvax::ui
