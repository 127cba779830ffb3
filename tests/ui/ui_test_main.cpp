// The window tests run without a screen: on the offscreen platform, with
// every message box and folder dialog answered in advance, and with the
// user's settings folder replaced by one of their own, so that a test can
// see what would be stored there and the user's own settings stay untouched.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ui/fld_module.h"
#include "ui/message_box_qt.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir settingsFolder;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(settingsFolder.path()));
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  dorvax::ui::MessageBoxQt::RequirePreparedAnswers(true);
  dorvax::fld_Module::RequirePreparedAnswers(true);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
