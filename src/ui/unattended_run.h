#pragma once
// `dorvax-hconv-unattended SOURCE DEST`: the window runs one folder
// conversion by itself and ends, so that the window's run can be timed
// against the batch program (bench/run-bench). It does what a user would:
// shows the window, chooses "CD-ROM以外", types both folders and presses
// "変換実行"; every message box takes its default button (Yes or OK, the
// answers of `dorvax-hconv-batch --yes`) without opening. The boxes are
// printed to stderr as "[title] text". A program of its own, so that the
// converter's window (dorvax-hconv) reads no command line.
#include <string>

#include <QStringList>

class QApplication;

namespace dorvax::ui {

struct UnattendedRun {
  std::string source;
  std::string destination;
  bool usageError = false;
};

// The two folders from the arguments as QApplication left them (program
// name first); usageError when there are not exactly two.
UnattendedRun ParseUnattendedRun(const QStringList& arguments);

// Runs it; the exit status: 0 the completion notice was shown, 1 the run
// stopped, 2 wrong usage.
int RunUnattended(QApplication& app, const UnattendedRun& run);

}  // namespace dorvax::ui
