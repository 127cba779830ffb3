// The window tests run without a screen: on the offscreen platform, with
// every message box and folder dialog answered in advance.
#include <QApplication>

#include <gtest/gtest.h>

#include "ui/fld_module.h"
#include "ui/message_box_qt.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  dorvax::ui::MessageBoxQt::RequirePreparedAnswers(true);
  dorvax::fld_Module::RequirePreparedAnswers(true);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
