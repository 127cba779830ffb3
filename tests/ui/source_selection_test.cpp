// Choosing the source kind, the drive and the folders: the enabled states
// and colours through every transition, the drive root written into the
// source box, the folder dialog and its titles, the disabling during a run.
#include <functional>
#include <map>
#include <memory>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include "ui/fld_module.h"
#include "window_harness.h"

namespace dorvax::testing {
namespace {

using C = Control;

// Enabled state of the source-side controls and the colour of the source
// box and the drive list in one situation.
struct SourceSide {
  bool optNew, drvNew, cmdNew0, cmdNew1, txtFolder0;
  QColor drvColour, boxColour;
};

const QColor kGrey(224, 224, 224);
const QColor kWhite(255, 255, 255);

class SourceSelectionTest : public WindowTest {
 protected:
  void ExpectSourceSide(const SourceSide& e, const char* situation) {
    SCOPED_TRACE(situation);
    HarnessWindow& w = *window;
    EXPECT_EQ(w.IsEnabled(C::optNew0), e.optNew);
    EXPECT_EQ(w.IsEnabled(C::optNew1), e.optNew);
    EXPECT_EQ(w.IsEnabled(C::drvNew), e.drvNew);
    EXPECT_EQ(w.IsEnabled(C::cmdNew0), e.cmdNew0);
    EXPECT_EQ(w.IsEnabled(C::cmdNew1), e.cmdNew1);
    EXPECT_EQ(w.IsEnabled(C::txtFolder0), e.txtFolder0);
    EXPECT_EQ(Colour(C::drvNew), e.drvColour);
    EXPECT_EQ(Colour(C::txtFolder0), e.boxColour);
    // The destination side never changes with the source kind.
    for (Control c : {C::txtFolder1, C::cmdOld0, C::cmdOld1, C::cmdMain0, C::cmdMain1})
      EXPECT_TRUE(w.IsEnabled(c)) << ControlName(c);
  }
  QColor Colour(Control c) {
    QWidget* widget = window->Widget(c);
    return widget->palette().color(widget->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Base);
  }
  QComboBox* DriveList() { return qobject_cast<QComboBox*>(window->Widget(C::drvNew)); }
  QLineEdit* Box(int side) {
    return qobject_cast<QLineEdit*>(window->Widget(side == 0 ? C::txtFolder0 : C::txtFolder1));
  }
};

TEST_F(SourceSelectionTest, EveryKindTransitionByClicks) {
  HarnessWindow& w = MakeWindow();
  const SourceSide none{true, false, false, false, false, kGrey, kGrey};
  const SourceSide cd{true, true, false, true, false, kWhite, kGrey};
  const SourceSide folder{true, false, true, true, true, kGrey, kWhite};
  ExpectSourceSide(none, "after loading");

  Click(C::optNew0);
  ExpectSourceSide(cd, "CD-ROM chosen");
  EXPECT_EQ(w.form().run.intSourceKind, 2);
  EXPECT_EQ(w.Text(C::txtFolder0), DriveRoot("a"));  // the current drive

  Click(C::optNew1);
  ExpectSourceSide(folder, "folder chosen");
  EXPECT_EQ(w.form().run.intSourceKind, 1);
  EXPECT_EQ(w.Text(C::txtFolder0), DriveRoot("a")) << "the drive root stays in the now editable box";
  EXPECT_TRUE(w.IsSelected(C::optNew1));
  EXPECT_FALSE(w.IsSelected(C::optNew0));

  Box(0)->setText("typed by the user");
  Click(C::optNew0);
  ExpectSourceSide(cd, "back to CD-ROM");
  EXPECT_EQ(w.Text(C::txtFolder0), DriveRoot("a")) << "the typed text gives way to the drive root";

  Click(C::cmdNew1);
  ExpectSourceSide(none, "source cleared");
  EXPECT_EQ(w.form().run.intSourceKind, 0);
  EXPECT_EQ(w.Text(C::txtFolder0), "");
  EXPECT_FALSE(w.IsSelected(C::optNew0));
  EXPECT_FALSE(w.IsSelected(C::optNew1));

  // A kind can be chosen again after clearing: the group lets a button be
  // checked after both were unselected.
  Click(C::optNew1);
  ExpectSourceSide(folder, "folder after clearing");
  EXPECT_TRUE(w.IsSelected(C::optNew1));
}

TEST_F(SourceSelectionTest, PickingADriveWritesItsRoot) {
  HarnessWindow& w = MakeWindow();
  Click(C::optNew0);
  DriveList()->setCurrentIndex(2);  // the user picks the CD-ROM drive
  EXPECT_EQ(w.Text(C::txtFolder0), DriveRoot("q"));
  DriveList()->setCurrentIndex(1);
  EXPECT_EQ(w.Text(C::txtFolder0), DriveRoot("b"));
  EXPECT_EQ(w.form().run.intSourceKind, 2);
}

TEST_F(SourceSelectionTest, DestinationClearOnlyEmptiesItsBox) {
  HarnessWindow& w = MakeWindow();
  Click(C::optNew1);
  Box(0)->setText("/source/");
  Box(1)->setText("/destination/");
  Click(C::cmdOld1);
  EXPECT_EQ(w.Text(C::txtFolder1), "");
  EXPECT_EQ(w.Text(C::txtFolder0), "/source/");
  EXPECT_EQ(w.form().run.intSourceKind, 1);
  EXPECT_TRUE(w.IsEnabled(C::cmdOld1));
}

TEST_F(SourceSelectionTest, DisabledDuringARunAndReenabledAfterwards) {
  HarnessWindow& w = MakeWindow();
  Click(C::optNew0);
  DriveList()->setCurrentIndex(2);
  w.form().EnableInputControls(false);
  for (Control c : {C::optNew0, C::optNew1, C::drvNew, C::cmdNew0, C::cmdNew1, C::txtFolder0, C::txtFolder1, C::cmdOld0,
                    C::cmdOld1, C::cmdMain0, C::cmdMain1})
    EXPECT_FALSE(w.IsEnabled(c)) << ControlName(c);
  EXPECT_EQ(Colour(C::drvNew), kWhite) << "colours are not changed when disabling";

  // Something during the run changed the box and the kind; re-enabling
  // re-applies the chosen kind from the drive list.
  w.SetText(C::txtFolder0, "elsewhere");
  w.form().run.intSourceKind = 0;
  w.form().EnableInputControls(true);
  ExpectSourceSide({true, true, false, true, false, kWhite, kGrey}, "after the run");
  EXPECT_EQ(w.Text(C::txtFolder0), DriveRoot("q"));
  EXPECT_EQ(w.form().run.intSourceKind, 2);
}

// The colour most of a control's picture has: the face of a box or list
// behind its text.
QColor FaceColour(QWidget* widget) {
  const QImage picture = widget->grab().toImage();
  std::map<QRgb, int> count;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) ++count[picture.pixel(x, y)];
  auto most = count.begin();
  for (auto it = count.begin(); it != count.end(); ++it)
    if (it->second > most->second) most = it;
  return QColor::fromRgb(most->first);
}

// What the drive list and the destination box look like as drawn: the drive
// list a flat face in its colour, also while disabled, and the destination
// box in the platform's normal text-box colour throughout, a run included.
TEST_F(SourceSelectionTest, DrawnFacesOfTheDriveListAndTheDestinationBox) {
  HarnessWindow& w = MakeWindow();
  const QColor normal = QLineEdit().palette().color(QPalette::Active, QPalette::Base);
  struct Step {
    const char* situation;
    std::function<void()> act;
    QColor drvNew;
  };
  const Step steps[] = {
      {"after loading", [] {}, kGrey},
      {"CD-ROM chosen", [&] { Click(C::optNew0); }, kWhite},
      {"CD-ROM, during a run", [&] { w.form().EnableInputControls(false); }, kWhite},
      {"folder chosen after the run",
       [&] {
         w.form().EnableInputControls(true);
         Click(C::optNew1);
       },
       kGrey},
      {"folder, during a run", [&] { w.form().EnableInputControls(false); }, kGrey},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.situation);
    step.act();
    EXPECT_EQ(FaceColour(w.Widget(C::drvNew)), step.drvNew);
    EXPECT_EQ(FaceColour(w.Widget(C::txtFolder1)), normal);
  }
}

// An entry longer than the list: the popup shows it whole, in the styles
// that widen a popup by themselves and in those that do not, and so does the
// tool tip, after the list's own text, while the list cuts it.
TEST_F(SourceSelectionTest, LongDriveEntries) {
  const std::string longRoot = temp / "a-mount-point-with-a-rather-long-name/";
  MakeFolders(longRoot);
  const QString ownTip = QString::fromUtf8("新版のCD-ROMを入れるドライブを指定します。");
  const QString applicationStyle = QApplication::style()->name();
  for (const char* style : {"Fusion", "Windows"}) {
    SCOPED_TRACE(style);
    ASSERT_NE(QApplication::setStyle(QString::fromLatin1(style)), nullptr);
    auto fake = std::make_unique<FakeDrives>();
    fake->AddDrive("/", platform::DriveType::kFixed);  // the current drive
    fake->AddDrive(longRoot, platform::DriveType::kCdRom);
    window = std::make_unique<HarnessWindow>(std::move(fake));
    QComboBox* list = DriveList();

    list->setCurrentIndex(1);
    EXPECT_EQ(list->toolTip(), ownTip + u'\n' + QString::fromStdString(longRoot));
    list->setCurrentIndex(0);
    EXPECT_EQ(list->toolTip(), ownTip);

    window->show();
    list->showPopup();
    QAbstractItemView* popup = list->view();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_GE(popup->viewport()->width(), popup->sizeHintForColumn(0)) << "the popup cuts an entry";
    list->hidePopup();
  }
  QApplication::setStyle(applicationStyle);
}

TEST_F(SourceSelectionTest, FolderModeDuringARunKeepsItsColours) {
  HarnessWindow& w = MakeWindow();
  Click(C::optNew1);
  w.form().EnableInputControls(false);
  EXPECT_FALSE(w.IsEnabled(C::txtFolder0));
  EXPECT_FALSE(w.IsEnabled(C::cmdNew0));
  EXPECT_EQ(Colour(C::txtFolder0), kWhite);
  w.form().EnableInputControls(true);
  ExpectSourceSide({true, false, true, true, true, kGrey, kWhite}, "after the run");
}

TEST_F(SourceSelectionTest, NoKindStaysWithoutKindWhenReenabled) {
  HarnessWindow& w = MakeWindow();
  w.form().EnableInputControls(false);
  w.form().EnableInputControls(true);
  ExpectSourceSide({true, false, false, false, false, kGrey, kGrey}, "re-enabled without a kind");
  EXPECT_FALSE(w.IsSelected(C::optNew0));
  EXPECT_FALSE(w.IsSelected(C::optNew1));
}

TEST_F(SourceSelectionTest, FocusReturnsToTheFolderBoxOfASide) {
  HarnessWindow& w = MakeWindow();
  Click(C::optNew0);
  w.form().EnableInputControls(false);
  w.form().FocusFolderBox(0);  // CD-ROM mode: the source box is disabled
  EXPECT_EQ(w.focusWidget(), w.Widget(C::drvNew));
  Click(C::optNew1);
  w.form().FocusFolderBox(0);
  EXPECT_EQ(w.focusWidget(), w.Widget(C::txtFolder0));
  w.form().FocusFolderBox(1);
  EXPECT_EQ(w.focusWidget(), w.Widget(C::txtFolder1));
}

TEST_F(SourceSelectionTest, FolderDialogTitlesAndChosenFolders) {
  HarnessWindow& w = MakeWindow();
  Click(C::optNew1);

  fld_Module::SetNextFolder("/data/hourly");
  Click(C::cmdNew0);
  EXPECT_EQ(fld_Module::LastTitle(), "\"\\dorvax\"フォルダが含まれる新版フォルダを指定してください");
  EXPECT_EQ(w.Text(C::txtFolder0), "/data/hourly/") << "a folder without a separator gets one";
  EXPECT_EQ(w.focusWidget(), w.Widget(C::txtFolder0));

  fld_Module::SetNextFolder("/");
  Click(C::cmdOld0);
  EXPECT_EQ(fld_Module::LastTitle(), "旧版の\"\\dorvax\"フォルダを作成したいフォルダを指定してください");
  EXPECT_EQ(w.Text(C::txtFolder1), "/") << "a root keeps its single separator";
  EXPECT_EQ(w.focusWidget(), w.Widget(C::txtFolder1));
}

TEST_F(SourceSelectionTest, CancelledDialogLeavesTheBoxAndFocusesIt) {
  HarnessWindow& w = MakeWindow();
  Click(C::optNew1);
  Box(0)->setText("/kept/");
  Box(1)->setText("/also kept/");
  w.Widget(C::cmdMain0)->setFocus();

  fld_Module::SetNextFolder("");  // Cancel
  Click(C::cmdOld0);
  EXPECT_EQ(w.Text(C::txtFolder1), "/also kept/");
  EXPECT_EQ(w.focusWidget(), w.Widget(C::txtFolder1));

  fld_Module::SetNextFolder("");
  Click(C::cmdNew0);
  EXPECT_EQ(w.Text(C::txtFolder0), "/kept/");
  EXPECT_EQ(w.focusWidget(), w.Widget(C::txtFolder0));
}

}  // namespace
}  // namespace dorvax::testing
