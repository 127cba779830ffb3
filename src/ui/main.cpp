// dorvax-hconv: the converter's window.
#include <QApplication>

#include "ui/frm_dorvax_hconv.h"
#include "ui/unattended_run.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // For timing only (bench/run-bench); otherwise no command line is read.
  if (auto run = dorvax::ui::ParseUnattendedRun(QApplication::arguments())) return dorvax::ui::RunUnattended(app, *run);
  frmDorvax_hConv window;
  window.show();
  return app.exec();
}
