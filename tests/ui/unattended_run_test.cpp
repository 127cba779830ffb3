// The window's unattended run (dorvax-hconv-unattended SOURCE DEST),
// used to time the window against the batch program.
#include <filesystem>

#include <QApplication>
#include <QStringList>

#include <gtest/gtest.h>

#include "platform/native_path.h"
#include "support/source_tree.h"
#include "support/temp_dir.h"
#include "ui/message_box_qt.h"
#include "ui/unattended_run.h"

namespace dorvax::testing {
namespace {

using ui::MessageBoxQt;

QStringList Args(std::initializer_list<const char*> args) {
  QStringList list;
  for (const char* a : args) list << QString::fromUtf8(a);
  return list;
}

TEST(UnattendedRun, TakesExactlyTwoFolders) {
  const ui::UnattendedRun run = ui::ParseUnattendedRun(Args({"dorvax-hconv-unattended", "/src/新版", "/dest"}));
  EXPECT_FALSE(run.usageError);
  EXPECT_EQ(run.source, "/src/新版");
  EXPECT_EQ(run.destination, "/dest");
  for (auto args : {Args({"dorvax-hconv-unattended"}), Args({"dorvax-hconv-unattended", "/src"}),
                    Args({"dorvax-hconv-unattended", "/src", "/dest", "/more"})}) {
    const ui::UnattendedRun bad = ui::ParseUnattendedRun(args);
    EXPECT_TRUE(bad.usageError);
    EXPECT_EQ(ui::RunUnattended(*qApp, bad), 2);
  }
}

class UnattendedRunTree : public ::testing::Test {
 protected:
  void SetUp() override { MessageBoxQt::Reset(); }
  void TearDown() override { MessageBoxQt::Reset(); }
  TempDir temp;
};

TEST_F(UnattendedRunTree, ConvertsTheTreeAnsweringEveryBoxWithItsDefault) {
  std::string source = temp.path() + "source" + platform::Sep();
  std::string destination = temp.path() + "old" + platform::Sep();
  SourceTree(source).Month("199901", Stations(2)).Month("200405", Stations(2));
  MakeFolders(destination);
  ui::UnattendedRun run{source, destination, false};
  EXPECT_EQ(ui::RunUnattended(*qApp, run), 0);
  std::filesystem::path out = std::filesystem::path(destination) / "dorvax";
  EXPECT_TRUE(std::filesystem::exists(out / "1999" / "DVX1999.01"));
  EXPECT_TRUE(std::filesystem::exists(out / "200405" / "area44"));
  // The run's question and the completion notice, both with their default.
  ASSERT_GE(MessageBoxQt::Shown().size(), 2u);
  EXPECT_EQ(MessageBoxQt::Shown().front().text, "ファイル変換を実行してよろしいですか？");
  EXPECT_EQ(MessageBoxQt::Shown().back().text, "Dorvaxデータの変換処理が完了しました。");
}

TEST_F(UnattendedRunTree, AMissingSourceStopsWithStatusOne) {
  std::string destination = temp.path() + "old" + platform::Sep();
  MakeFolders(destination);
  ui::UnattendedRun run{temp.path() + "nothing-here" + platform::Sep(), destination, false};
  EXPECT_EQ(ui::RunUnattended(*qApp, run), 1);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(destination) / "dorvax"));
}

}  // namespace
}  // namespace dorvax::testing
