// dorvax-hconv: the converter's window. It reads no command line.
#include <QApplication>

#include "ui/frm_dorvax_hconv.h"
#include "ui/toolkit_translation.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  dorvax::ui::InstallToolkitTranslation();
  dorvax::ui::frmDorvax_hConv window;
  window.show();
  return app.exec();
}
