#include "ui/unattended_run.h"

#include <chrono>
#include <cstdio>
#include <iostream>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include "ui/frm_dorvax_hconv.h"
#include "ui/message_box_qt.h"

namespace dorvax::ui {

namespace {

const char kFinished[] = "Dorvaxデータの変換処理が完了しました。";

void Press(frmDorvax_hConv& window, Control control) {
  qobject_cast<QAbstractButton*>(window.Widget(control))->click();
}

void Type(frmDorvax_hConv& window, Control control, const std::string& text) {
  qobject_cast<QLineEdit*>(window.Widget(control))->setText(QString::fromStdString(text));
}

// The boxes of the run, as the batch program prints them.
bool ReportBoxes() {
  bool finished = false;
  for (const MessageBoxRequest& box : MessageBoxQt::Shown()) {
    std::cerr << "[" << box.title << "] " << box.text << "\n";
    if (box.text == kFinished) finished = true;
  }
  return finished;
}

}  // namespace

UnattendedRun ParseUnattendedRun(const QStringList& arguments) {
  UnattendedRun run;
  if (arguments.size() != 3) {
    run.usageError = true;
    return run;
  }
  run.source = arguments[1].toStdString();
  run.destination = arguments[2].toStdString();
  return run;
}

int RunUnattended(QApplication& app, const UnattendedRun& run) {
  if (run.usageError) {
    std::cerr << "Usage: dorvax-hconv-unattended SOURCE DEST\n";
    return 2;
  }
  MessageBoxQt::RequirePreparedAnswers(true);  // every box takes its default: Yes / OK
  frmDorvax_hConv window;
  window.show();
  int status = 1;
  // Pressed once the event loop runs, as a user would after the window came up.
  QTimer::singleShot(0, &window, [&] {
    Press(window, Control::optNew1);
    Type(window, Control::txtFolder0, run.source);
    Type(window, Control::txtFolder1, run.destination);
    auto start = std::chrono::steady_clock::now();
    Press(window, Control::cmdMain0);  // returns when the run is over
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    status = ReportBoxes() ? 0 : 1;
    std::printf("Window run %s in %.2f s\n", status == 0 ? "completed" : "stopped", seconds);
    std::fflush(stdout);
    app.exit(status);
  });
  app.exec();
  return status;
}

}  // namespace dorvax::ui
