// The folder dialog: a tree of folders from the top of the file system in
// which only a folder can be confirmed, and which leaves no settings behind.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "ui/fld_module.h"
#include "ui/folder_tree_dialog.h"

namespace dorvax::testing {
namespace {

using ui::FolderTreeDialog;

QString Native(const std::string& path) {
  return QDir::toNativeSeparators(QDir::cleanPath(QString::fromStdString(path)));
}

class FolderTreeDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeFolders(temp / "観測/b");
    MakeFolders(temp / "観測/A");
    WriteBytes(temp / "観測/file.txt", "not a folder");
  }

  // The names below `path` once the tree has read them.
  QStringList NamesBelow(FolderTreeDialog& dialog, const QString& path) {
    QFileSystemModel* model = dialog.Model();
    const QModelIndex parent = model->index(path);
    if (model->canFetchMore(parent)) model->fetchMore(parent);
    QStringList names;
    [&] { QTRY_COMPARE_WITH_TIMEOUT(model->rowCount(parent), 2, 5000); }();
    for (int row = 0; row < model->rowCount(parent); ++row) names << model->index(row, 0, parent).data().toString();
    names.sort(Qt::CaseInsensitive);
    return names;
  }

  TempDir temp;
};

TEST_F(FolderTreeDialogTest, OnlyAFolderCanBeConfirmed) {
  FolderTreeDialog dialog(nullptr, QStringLiteral("旧版の\"\\dorvax\"フォルダを作成したいフォルダを指定してください"));
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("旧版の\"\\dorvax\"フォルダを作成したいフォルダを指定してください"));
  EXPECT_TRUE(dialog.ChosenFolder().isEmpty());
  EXPECT_FALSE(dialog.OkButton()->isEnabled());

  EXPECT_FALSE(dialog.Choose(QString::fromStdString(temp / "観測/file.txt")));
  EXPECT_FALSE(dialog.Choose(QString::fromStdString(temp / "観測/missing")));
  EXPECT_FALSE(dialog.OkButton()->isEnabled());

  ASSERT_TRUE(dialog.Choose(QString::fromStdString(temp / "観測")));
  EXPECT_EQ(dialog.ChosenFolder(), Native(temp / "観測"));
  EXPECT_TRUE(dialog.OkButton()->isEnabled());
  // Files are not in the tree, folders are.
  EXPECT_EQ(NamesBelow(dialog, QString::fromStdString(temp / "観測")), (QStringList{"A", "b"}));
}

// The two titles the window gives the dialog are longer than the dialog's
// usual width: each stands whole, on one line, above the tree.
TEST_F(FolderTreeDialogTest, TheWholeTitleStandsAboveTheTree) {
  const char* const titles[] = {
      "\"\\dorvax\"フォルダが含まれる新版フォルダを指定してください",
      "旧版の\"\\dorvax\"フォルダを作成したいフォルダを指定してください",
  };
  for (const char* title : titles) {
    SCOPED_TRACE(title);
    FolderTreeDialog dialog(nullptr, QString::fromUtf8(title));
    dialog.show();
    QLabel* label = dialog.TitleLabel();
    EXPECT_EQ(label->text(), QString::fromUtf8(title));
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(title));
    const QFontMetrics metrics = label->fontMetrics();
    EXPECT_GE(label->contentsRect().width(), metrics.horizontalAdvance(label->text()));
    EXPECT_LT(label->heightForWidth(label->width()), 2 * metrics.lineSpacing()) << "the title wraps";
    EXPECT_GT(dialog.width(), 320);
    EXPECT_LE(dialog.width(), dialog.screen()->availableGeometry().width());
  }
}

TEST_F(FolderTreeDialogTest, TreeStartsAtTheTopOfTheFileSystem) {
  FolderTreeDialog dialog(nullptr, QStringLiteral("t"));
  QFileSystemModel* model = dialog.Model();
  const QModelIndex root = model->index(QDir::rootPath());
  ASSERT_TRUE(root.isValid());
  EXPECT_FALSE(model->parent(root).isValid()) << "the root folder is an item of the top level";
#ifndef _WIN32
  EXPECT_TRUE(dialog.Tree()->isExpanded(root));
#endif
  // Only the names: sizes, kinds and dates are not shown.
  for (int column = 1; column < model->columnCount(); ++column) EXPECT_TRUE(dialog.Tree()->isColumnHidden(column));
}

TEST_F(FolderTreeDialogTest, OkAcceptsAndCancelRejects) {
  {
    FolderTreeDialog dialog(nullptr, QStringLiteral("t"));
    ASSERT_TRUE(dialog.Choose(QString::fromStdString(temp / "観測/b")));
    dialog.show();
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ChosenFolder(), Native(temp / "観測/b"));
  }
  FolderTreeDialog dialog(nullptr, QStringLiteral("t"));
  ASSERT_TRUE(dialog.Choose(QString::fromStdString(temp / "観測/b")));
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

// The program keeps no settings: the folder dialog the window opens writes
// no settings file when it closes (the tests keep the user's settings
// folder in a folder of their own, see ui_test_main.cpp).
TEST_F(FolderTreeDialogTest, FolderDialogOfTheWindowLeavesNoSettingsBehind) {
  const QString settingsFile = QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName();
  QFile::remove(settingsFile);
  fld_Module::RequirePreparedAnswers(false);
  QString shownTitle;
  // Closed by Cancel as soon as it is up.
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    shownTitle = dialog->windowTitle();
    dialog->reject();
  });
  const std::string chosen = fld_Module::SelectFolder(nullptr, "旧版フォルダ");
  fld_Module::RequirePreparedAnswers(true);
  EXPECT_EQ(chosen, "");
  EXPECT_EQ(shownTitle, QStringLiteral("旧版フォルダ"));
  EXPECT_FALSE(QFile::exists(settingsFile)) << settingsFile.toStdString();
}

}  // namespace
}  // namespace dorvax::testing
