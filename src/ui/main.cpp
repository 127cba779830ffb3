// dorvax-hconv: the converter's window. It reads no command line.
#include <QApplication>

#include "ui/frm_dorvax_hconv.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  dorvax::ui::frmDorvax_hConv window;
  window.show();
  return app.exec();
}
