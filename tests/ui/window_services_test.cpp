// The display services on the real widgets: progress display, bar value,
// busy pointer and event processing.
#include <QApplication>
#include <QLabel>
#include <QProgressBar>

#include "ui/message_box_qt.h"
#include "window_harness.h"

namespace dorvax::testing {
namespace {

using C = Control;

class WindowServicesTest : public WindowTest {
 protected:
  QProgressBar* Bar() { return qobject_cast<QProgressBar*>(window->Widget(C::ProgressBar1)); }
  static bool Hourglass() {
    return QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
  }
};

TEST_F(WindowServicesTest, ProgressDisplayShownAndHidden) {
  HarnessWindow& w = MakeWindow();
  w.form().SetStatus("（前の表示）");
  w.form().ShowProgress(true);
  EXPECT_TRUE(w.IsVisible(C::lblConv0));
  EXPECT_TRUE(w.IsVisible(C::ProgressBar1));
  EXPECT_TRUE(w.IsVisible(C::lblConv1));
  EXPECT_EQ(Bar()->value(), 0);
  EXPECT_EQ(w.Text(C::lblMes), "（前の表示）") << "showing the display leaves the status line to the caller";

  w.form().AdvanceProgress(5);
  w.form().SetStatus("（フォルダ構成等のチェックを行っています）");
  w.form().ShowProgress(false);
  EXPECT_FALSE(w.IsVisible(C::lblConv0));
  EXPECT_FALSE(w.IsVisible(C::ProgressBar1));
  EXPECT_TRUE(w.IsVisible(C::lblConv1)) << "the version spot stays";
  EXPECT_EQ(w.Text(C::lblMes), "");
  EXPECT_EQ(qobject_cast<QLabel*>(w.Widget(C::lblMes))->text(), "");

  w.form().ShowProgress(true);
  EXPECT_EQ(Bar()->value(), 0) << "every run starts the bar at 0";
  EXPECT_FLOAT_EQ(w.ProgressValue(), 0.0f);
}

TEST_F(WindowServicesTest, BarShowsTheWholePartOfItsValue) {
  HarnessWindow& w = MakeWindow();
  w.form().ShowProgress(true);
  w.SetProgressValue(37.75f);
  EXPECT_FLOAT_EQ(w.ProgressValue(), 37.75f);
  EXPECT_EQ(Bar()->value(), 37);
  w.form().AdvanceProgress(2);
  EXPECT_FLOAT_EQ(w.ProgressValue(), 39.75f) << "the fraction is kept between steps";
  EXPECT_EQ(Bar()->value(), 39);
  w.form().SetBusyCursor(false);
}

TEST_F(WindowServicesTest, HourglassAfterEveryAdvanceAndNormalPointerOnRequest) {
  HarnessWindow& w = MakeWindow();
  w.form().ShowProgress(true);
  ASSERT_EQ(QApplication::overrideCursor(), nullptr);
  w.form().SetBusyCursor(true);
  w.form().SetBusyCursor(true);
  EXPECT_TRUE(Hourglass());
  w.form().SetBusyCursor(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "setting the hourglass twice needs one normal pointer";

  w.form().AdvanceProgress(0);
  EXPECT_TRUE(Hourglass()) << "the hourglass comes back with every step";
  w.form().SetBusyCursor(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WindowServicesTest, AdvancingLetsPendingEventsRun) {
  HarnessWindow& w = MakeWindow();
  w.form().ShowProgress(true);
  bool ran = false;
  QMetaObject::invokeMethod(
      &w, [&ran] { ran = true; }, Qt::QueuedConnection);
  EXPECT_FALSE(ran);
  w.form().AdvanceProgress(0);
  EXPECT_TRUE(ran);
  EXPECT_FALSE(w.form().ProgramEnded()) << "outside a run nothing is ended";
  w.form().SetBusyCursor(false);
}

TEST_F(WindowServicesTest, AFailureTheRunDoesNotHandleIsReportedAndTheWindowRecovers) {
  HarnessWindow& w = MakeWindow();
  const std::string source = temp.path() + "source" + platform::Sep();
  MakeFolders(source + "dorvax" + platform::Sep() + "hourly");
  MakeFolders(DriveRoot("b"));
  Click(C::optNew1);
  w.SetText(C::txtFolder0, source);
  w.SetText(C::txtFolder1, DriveRoot("b"));
  w.FailWhenRunStateIs(1);
  ui::MessageBoxQt::SetNextAnswer(MsgAnswer::kYes);
  ui::MessageBoxQt::SetNextAnswer(MsgAnswer::kOk);
  Click(C::cmdMain0);

  ASSERT_EQ(BoxTexts().size(), 2u);
  EXPECT_EQ(BoxTexts()[1], "エラー発生により、現在の処理を中断します。\r\n51 : unexpected failure");
  EXPECT_EQ(ui::MessageBoxQt::Shown()[1].title, "エラー");
  EXPECT_EQ(w.form().run.intRunState, 0);
  EXPECT_FALSE(w.form().RunInProgress());
  EXPECT_FALSE(w.form().ProgramEnded());
  EXPECT_TRUE(w.IsEnabled(C::cmdMain0));
  EXPECT_TRUE(w.IsEnabled(C::txtFolder1));
  EXPECT_FALSE(w.IsVisible(C::ProgressBar1));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace dorvax::testing
