// dorvax-hconv-unattended SOURCE DEST: the window's run of one folder
// conversion without a user, for timing (ui/unattended_run.h).
#include <QApplication>

#include "ui/toolkit_translation.h"
#include "ui/unattended_run.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  dorvax::ui::InstallToolkitTranslation();
  return dorvax::ui::RunUnattended(app, dorvax::ui::ParseUnattendedRun(QApplication::arguments()));
}
