// Runs driven through the window: a whole folder run from "変換実行" to the
// completion notice, the exit button, and a close request in each state of
// a run.
#include <algorithm>
#include <filesystem>
#include <set>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include "platform/file_handle.h"
#include "support/source_tree.h"
#include "ui/message_box_qt.h"
#include "window_harness.h"

namespace dorvax::testing {
namespace {

using C = Control;
using ui::MessageBoxQt;

const char kConfirmRun[] = "ファイル変換を実行してよろしいですか？";
const char kFinished[] = "Dorvaxデータの変換処理が完了しました。";
const char kForcedEnd[] = "変換プログラムを強制終了します。";
const char kConfirmExit[] = "変換プログラムを終了してよろしいですか？";

bool Exists(const std::string& path) { return std::filesystem::exists(std::filesystem::path(path)); }
std::uintmax_t SizeOf(const std::string& path) { return std::filesystem::file_size(std::filesystem::path(path)); }

class RunWindowTest : public WindowTest {
 protected:
  // A folder run over the sample tree, the window shown as the user sees it.
  HarnessWindow& PrepareFolderRun(int textStations = 2) {
    HarnessWindow& w = MakeWindow();
    source = temp.path() + "source" + platform::Sep();
    destination = temp.path() + "old" + platform::Sep();
    SourceTree(source).Month("199901", Stations(2)).Month("200405", Stations(textStations));
    MakeFolders(destination);
    w.show();
    Click(C::optNew1);
    qobject_cast<QLineEdit*>(w.Widget(C::txtFolder0))->setText(QString::fromStdString(source));
    qobject_cast<QLineEdit*>(w.Widget(C::txtFolder1))->setText(QString::fromStdString(destination));
    return w;
  }
  std::string Out(const std::string& relative) const { return destination + "dorvax" + platform::Sep() + relative; }

  void ExpectIdleWindow() {
    HarnessWindow& w = *window;
    EXPECT_EQ(w.form().run.intRunState, 0);
    EXPECT_FALSE(w.form().RunInProgress());
    EXPECT_FALSE(w.IsVisible(C::ProgressBar1));
    EXPECT_FALSE(w.IsVisible(C::lblConv0));
    EXPECT_EQ(w.Text(C::lblMes), "");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass is still on";
    for (Control c : {C::optNew0, C::optNew1, C::cmdNew0, C::cmdNew1, C::txtFolder0, C::txtFolder1, C::cmdOld0,
                      C::cmdOld1, C::cmdMain0, C::cmdMain1})
      EXPECT_TRUE(w.IsEnabled(c)) << ControlName(c);
  }

  // The run was ended by the close request: the window is gone, the run
  // unwound with every file closed.
  void ExpectEndedAtOnce() {
    HarnessWindow& w = *window;
    EXPECT_TRUE(w.form().ProgramEnded());
    EXPECT_TRUE(w.isHidden());
    EXPECT_FALSE(w.form().RunInProgress());
    EXPECT_EQ(platform::OpenFileCount(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  }

  std::string source, destination;
};

TEST_F(RunWindowTest, WholeFolderRunFromTheButtonToTheCompletionNotice) {
  HarnessWindow& w = PrepareFolderRun(3);
  MessageBoxQt::SetNextAnswer(MsgAnswer::kYes);
  MessageBoxQt::SetNextAnswer(MsgAnswer::kOk);
  Click(C::cmdMain0);

  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kConfirmRun, kFinished}));
  ASSERT_EQ(MessageBoxQt::Shown().size(), 2u);
  EXPECT_EQ(MessageBoxQt::Shown()[1].title, "変換終了");
  EXPECT_EQ(MessageBoxQt::Shown()[1].icon, MsgIcon::kInformation);

  // The window processed events in every state of the run and the bar went
  // all the way to the end.
  std::set<int16_t> states(w.statesSeen.begin(), w.statesSeen.end());
  EXPECT_EQ(states, (std::set<int16_t>{1, 2, 3}));
  ASSERT_FALSE(w.progressSeen.empty());
  EXPECT_FLOAT_EQ(w.ProgressValue(), 100.0f);
  EXPECT_TRUE(std::is_sorted(w.progressSeen.begin(), w.progressSeen.end()));

  ExpectIdleWindow();
  EXPECT_EQ(w.focusWidget(), w.Widget(C::cmdMain1));
  EXPECT_FALSE(w.form().ProgramEnded());
  EXPECT_EQ(platform::OpenFileCount(), 0);

  // What the run wrote: one 256-byte day record per station of 1999, the
  // station index, and the reshaped text files of 2004.
  EXPECT_EQ(SizeOf(Out("1999/DVX1999.01")), 2u * 256u);
  EXPECT_TRUE(Exists(Out("1999/STNIDX/IDX/IDX1999.01")));
  for (int n = 1; n <= 3; ++n)
    EXPECT_TRUE(Exists(Out("200405/area44/" + HourlyFileName({44000 + n}, "200405").substr(1)))) << n;
  EXPECT_TRUE(Exists(Out("200405/idx200405.csv")));
}

TEST_F(RunWindowTest, ClosingWhileIdleEndsWithoutAQuestion) {
  HarnessWindow& w = MakeWindow();
  w.show();
  w.RequestClose();
  QCoreApplication::processEvents();
  EXPECT_TRUE(BoxTexts().empty());
  EXPECT_TRUE(w.form().ProgramEnded());
  EXPECT_TRUE(w.isHidden());
}

TEST_F(RunWindowTest, ClosingWhileFilesAreConvertedEndsAtOnceAfterTheNotice) {
  HarnessWindow& w = PrepareFolderRun(30);
  w.CloseWhenRunStateIs(3);
  MessageBoxQt::SetNextAnswer(MsgAnswer::kYes);
  MessageBoxQt::SetNextAnswer(MsgAnswer::kOk);  // the forced-end notice
  Click(C::cmdMain0);

  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kConfirmRun, kForcedEnd}));
  EXPECT_EQ(MessageBoxQt::Shown()[1].title, "処理中断");
  EXPECT_EQ(MessageBoxQt::Shown()[1].icon, MsgIcon::kExclamation);
  ExpectEndedAtOnce();
  EXPECT_EQ(w.statesSeen.back(), 3) << "no step ran after the close";
  // The partly written tree stays on disk; the last month was not finished.
  EXPECT_TRUE(Exists(Out("1999/DVX1999.01")));
  EXPECT_FALSE(Exists(Out("200405/area44/" + HourlyFileName({44030}, "200405").substr(1))));
}

TEST_F(RunWindowTest, ClosingWhileTheTreeIsBuiltEndsAtOnceAfterTheNotice) {
  HarnessWindow& w = PrepareFolderRun();
  w.CloseWhenRunStateIs(2);
  MessageBoxQt::SetNextAnswer(MsgAnswer::kYes);
  MessageBoxQt::SetNextAnswer(MsgAnswer::kOk);
  Click(C::cmdMain0);

  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kConfirmRun, kForcedEnd}));
  ExpectEndedAtOnce();
  EXPECT_EQ(w.statesSeen.back(), 2);
  EXPECT_TRUE(Exists(Out(""))) << "the destination folder stays";
  EXPECT_FALSE(Exists(Out("1999/DVX1999.01"))) << "no file was converted";
}

TEST_F(RunWindowTest, ClosingDuringTheChecksClosesWithoutTheNotice) {
  HarnessWindow& w = PrepareFolderRun();
  w.CloseWhenRunStateIs(1);
  MessageBoxQt::SetNextAnswer(MsgAnswer::kYes);
  Click(C::cmdMain0);

  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kConfirmRun}));
  ExpectEndedAtOnce();
  EXPECT_EQ(w.statesSeen.back(), 1);
  EXPECT_FALSE(Exists(Out(""))) << "the run ended before the destination was prepared";
}

TEST_F(RunWindowTest, ClosingDuringTheSecondDiscCheckClosesWithoutTheNotice) {
  // Two-disc mode: the "disc" is the folder of the test's CD-ROM drive;
  // at the request for the second disc its contents are exchanged.
  HarnessWindow& w = MakeWindow();
  SourceTree(DriveRoot("q")).Month("199901", Stations(2));
  w.OnBox("２枚目のCD-ROMを入れてください。", [this] {
    std::filesystem::remove_all(std::filesystem::path(DriveRoot("q") + "dorvax"));
    SourceTree(DriveRoot("q")).Month("199902", Stations(2));
  });
  destination = temp.path() + "old" + platform::Sep();
  MakeFolders(destination);
  w.show();
  Click(C::optNew0);
  qobject_cast<QComboBox*>(w.Widget(C::drvNew))->setCurrentIndex(2);
  qobject_cast<QLineEdit*>(w.Widget(C::txtFolder1))->setText(QString::fromStdString(destination));
  w.CloseWhenRunStateIs(21);
  MessageBoxQt::SetNextAnswer(MsgAnswer::kYes);
  MessageBoxQt::SetNextAnswer(MsgAnswer::kOk);  // the request to put in the second disc
  Click(C::cmdMain0);

  ASSERT_EQ(BoxTexts().size(), 2u);
  EXPECT_EQ(BoxTexts()[0], kConfirmRun);
  EXPECT_NE(BoxTexts()[1].find("２枚目のCD-ROMを入れてください。"), std::string::npos) << BoxTexts()[1];
  ExpectEndedAtOnce();
  EXPECT_EQ(w.statesSeen.back(), 21);
}

TEST_F(RunWindowTest, ExitButtonAsksFirst) {
  HarnessWindow& w = MakeWindow();
  w.show();
  MessageBoxQt::SetNextAnswer(MsgAnswer::kNo);
  Click(C::cmdMain1);
  EXPECT_FALSE(w.form().ProgramEnded());
  EXPECT_FALSE(w.isHidden());

  MessageBoxQt::SetNextAnswer(MsgAnswer::kYes);
  Click(C::cmdMain1);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kConfirmExit, kConfirmExit}));
  EXPECT_TRUE(w.form().ProgramEnded());
  EXPECT_TRUE(w.isHidden());
}

TEST_F(RunWindowTest, AnsweringNoToTheRunChangesNothing) {
  HarnessWindow& w = PrepareFolderRun();
  w.form().run.lngUnprocessedFiles = 7;
  MessageBoxQt::SetNextAnswer(MsgAnswer::kNo);
  Click(C::cmdMain0);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kConfirmRun}));
  EXPECT_TRUE(w.statesSeen.empty());
  EXPECT_EQ(w.form().run.lngUnprocessedFiles, 7);
  EXPECT_FALSE(Exists(Out("")));
  ExpectIdleWindow();
}

}  // namespace
}  // namespace dorvax::testing
