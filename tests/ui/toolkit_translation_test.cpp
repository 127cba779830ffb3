// The toolkit's own texts: Japanese where Qt's Japanese translation is
// installed (scripts/install-deps installs it), English without it, and the
// folder dialog's buttons Japanese either way.
#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "ui/folder_tree_dialog.h"
#include "ui/toolkit_translation.h"

namespace dorvax::testing {
namespace {

// The texts of a text box's context menu, without their shortcut keys.
QStringList ContextMenuTexts() {
  QLineEdit box;
  std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
  QStringList texts;
  for (QAction* action : menu->actions())
    if (!action->isSeparator()) texts << action->text().section(QLatin1Char('\t'), 0, 0);
  return texts;
}

TEST(ToolkitTranslationTest, JapaneseWhereInstalledEnglishOtherwise) {
  TempDir empty;
  struct Case {
    const char* situation;
    QStringList folders;
    bool loaded;
    QString undo, paste;
  };
  const Case cases[] = {
      {"installed", ui::ToolkitTranslationFolders(), true, QString::fromUtf8("元に戻す(&U)"),
       QString::fromUtf8("貼り付け(&P)")},
      {"not installed",
       {QString::fromStdString(empty.path()), QString()},
       false,
       QStringLiteral("&Undo"),
       QStringLiteral("&Paste")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    QTranslator* translator = ui::InstallToolkitTranslation(c.folders);
    EXPECT_EQ(translator != nullptr, c.loaded);
    const QStringList menu = ContextMenuTexts();
    EXPECT_TRUE(menu.contains(c.undo) && menu.contains(c.paste)) << menu.join(u'|').toStdString();

    ui::FolderTreeDialog dialog(nullptr, QStringLiteral("t"));
    EXPECT_EQ(dialog.OkButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.CancelButton()->text(), QString::fromUtf8("キャンセル"));

    if (translator) {
      QCoreApplication::removeTranslator(translator);
      delete translator;
    }
  }
}

}  // namespace
}  // namespace dorvax::testing
