// The window as it comes up: title, controls, the state after loading, tool
// tips, tab order, layout, fonts and the icon.
#include <set>

#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>

#include "ui/japanese_font.h"
#include "ui/window_icon.h"
#include "window_harness.h"

namespace dorvax::testing {
namespace {

using C = Control;

class WindowSetupTest : public WindowTest {};

QColor BaseColour(QWidget* widget) { return widget->palette().color(QPalette::Disabled, QPalette::Base); }

TEST_F(WindowSetupTest, StateRightAfterLoading) {
  HarnessWindow& w = MakeWindow();
  EXPECT_EQ(w.windowTitle().toStdString(), "Dorvax年報 新版→旧版 データ変換(時別値)");

  struct Expected {
    Control control;
    bool enabled;
  };
  const Expected table[] = {
      {C::optNew0, true},  {C::optNew1, true},     {C::drvNew, false},    {C::cmdNew0, false},
      {C::cmdNew1, false}, {C::txtFolder0, false}, {C::txtFolder1, true}, {C::cmdOld0, true},
      {C::cmdOld1, true},  {C::cmdMain0, true},    {C::cmdMain1, true},
  };
  for (const Expected& row : table) EXPECT_EQ(w.IsEnabled(row.control), row.enabled) << ControlName(row.control);

  EXPECT_FALSE(w.IsSelected(C::optNew0));
  EXPECT_FALSE(w.IsSelected(C::optNew1));
  EXPECT_EQ(w.Text(C::txtFolder0), "");
  EXPECT_EQ(w.Text(C::txtFolder1), "");
  EXPECT_EQ(w.Text(C::lblMes), "");
  EXPECT_FALSE(w.IsVisible(C::lblConv0));
  EXPECT_FALSE(w.IsVisible(C::ProgressBar1));
  EXPECT_TRUE(w.IsVisible(C::lblConv1));
  EXPECT_EQ(w.Text(C::lblConv1), "");
  EXPECT_EQ(w.form().run.intSourceKind, 0);
  EXPECT_EQ(w.form().run.intRunState, 0);
  EXPECT_EQ(w.form().run.strSideName[0], "新版");
  EXPECT_EQ(w.form().run.strSideName[1], "旧版");
  EXPECT_EQ(w.form().run.strDiscName[0], "1枚目のCD-ROMの");
  EXPECT_EQ(w.form().run.strDiscName[1], "2枚目のCD-ROMの");

  // Light grey on the disabled source box and drive list; the destination
  // box keeps the normal colour of a text box, also for when it is disabled.
  EXPECT_EQ(BaseColour(w.Widget(C::txtFolder0)), QColor(224, 224, 224));
  EXPECT_EQ(BaseColour(w.Widget(C::drvNew)), QColor(224, 224, 224));
  EXPECT_EQ(w.Background(C::txtFolder1), BoxColour::kNormal);
  EXPECT_EQ(BaseColour(w.Widget(C::txtFolder1)), QLineEdit().palette().color(QPalette::Active, QPalette::Base));
}

TEST_F(WindowSetupTest, FixedSizeWithoutMaximizeButton) {
  HarnessWindow& w = MakeWindow();
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
  const Qt::WindowFlags flags = w.windowFlags();
  EXPECT_TRUE(flags & Qt::CustomizeWindowHint) << "the buttons are the window's own choice";
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  for (Qt::WindowType wanted :
       {Qt::WindowTitleHint, Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint, Qt::WindowCloseButtonHint})
    EXPECT_TRUE(flags & wanted) << wanted;
}

TEST_F(WindowSetupTest, DriveListShowsTheDrivesWithTheCurrentOneChosen) {
  HarnessWindow& w = MakeWindow();
  auto* list = qobject_cast<QComboBox*>(w.Widget(C::drvNew));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->itemText(0).toStdString(), DriveRoot("a"));
  EXPECT_EQ(list->itemText(2).toStdString(), DriveRoot("q"));
  EXPECT_EQ(w.CurrentDriveText(), DriveRoot("a"));
}

TEST_F(WindowSetupTest, EveryToolTip) {
  HarnessWindow& w = MakeWindow();
  const std::pair<Control, const char*> tips[] = {
      {C::cmdNew0, "新版の\"\\dorvax\"フォルダを含むフォルダを指定します。"},
      {C::cmdNew1, "新版のフォルダ指定を解除します。"},
      {C::cmdOld0, "旧版の\"\\dorvax\"フォルダを作成するフォルダを指定します。"},
      {C::cmdOld1, "旧版のフォルダ指定を解除します。"},
      {C::cmdMain0, "変換処理を実行します。"},
      {C::cmdMain1, "変換プログラムを終了します。"},
      {C::txtFolder0, "ここに直接フォルダのパスを入力する事もできます。"},
      {C::txtFolder1, "ここに直接フォルダのパスを入力する事もできます。"},
      {C::drvNew, "新版のCD-ROMを入れるドライブを指定します。"},
      {C::optNew0, "新版のDorvax年報CD-ROMを用いる場合、こちらを選択します。"},
      {C::optNew1,
       "ハードディスク等に新版データがある場合、こちらを選択します。新版CD-ROMを用いる場合には選択しないこと！"},
      {C::lblConv1, "Ver.1.00 2007/01/26"},
  };
  // The first line: the drive list adds a cut entry on a line of its own.
  for (const auto& [control, text] : tips)
    EXPECT_EQ(w.Widget(control)->toolTip().section(u'\n', 0, 0).toStdString(), text) << ControlName(control);
  for (Control silent : {C::fraNEW, C::lblMain, C::lblConv0, C::ProgressBar1, C::lblMes, C::lblForm})
    EXPECT_TRUE(w.Widget(silent)->toolTip().isEmpty()) << ControlName(silent);
}

TEST_F(WindowSetupTest, CaptionsAndControlKinds) {
  HarnessWindow& w = MakeWindow();
  EXPECT_EQ(qobject_cast<QGroupBox*>(w.Widget(C::fraNEW))->title().toStdString(), "【新版フォルダ（コピー元）】");
  const std::pair<Control, const char*> captions[] = {
      {C::optNew0, "CD-ROM(2枚)"},
      {C::optNew1, "CD-ROM以外"},
      {C::cmdNew0, "フォルダ指定"},
      {C::cmdNew1, "指定クリア"},
      {C::lblMain, "【旧版フォルダ（コピー先）】"},
      {C::cmdOld0, "フォルダ指定"},
      {C::cmdOld1, "指定クリア"},
      {C::lblConv0, "処理状況："},
      {C::cmdMain0, "変換実行"},
      {C::cmdMain1, "終了"},
      {C::lblForm, ""},
  };
  for (const auto& [control, caption] : captions) EXPECT_EQ(w.Text(control), caption) << ControlName(control);
  auto* bar = qobject_cast<QProgressBar*>(w.Widget(C::ProgressBar1));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->minimum(), 0);
  EXPECT_EQ(bar->maximum(), 100);
  EXPECT_TRUE(qobject_cast<QLabel*>(w.Widget(C::lblMes))->alignment() & Qt::AlignHCenter);
  EXPECT_TRUE(qobject_cast<QLabel*>(w.Widget(C::lblConv0))->alignment() & Qt::AlignRight);
}

TEST_F(WindowSetupTest, TabOrderFollowsTheLayout) {
  HarnessWindow& w = MakeWindow();
  const std::vector<Control> expected = {C::optNew0,    C::drvNew,  C::optNew1, C::cmdNew0,  C::txtFolder0, C::cmdNew1,
                                         C::txtFolder1, C::cmdOld0, C::cmdOld1, C::cmdMain0, C::cmdMain1};
  std::map<QWidget*, Control> known;
  for (Control c : expected) known[w.Widget(c)] = c;

  // Walk the whole focus chain once, from the first control round to it.
  std::vector<Control> walked;
  QWidget* start = w.Widget(C::optNew0);
  QWidget* at = start;
  do {
    if (known.count(at) && at->focusPolicy() & Qt::TabFocus) walked.push_back(known[at]);
    at = at->nextInFocusChain();
  } while (at != start && walked.size() < 50);
  ASSERT_EQ(walked.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(walked[i], expected[i]) << "position " << i << ": " << ControlName(walked[i]);

  for (Control noFocus : {C::fraNEW, C::lblMain, C::lblConv0, C::ProgressBar1, C::lblConv1, C::lblMes, C::lblForm})
    EXPECT_EQ(w.Widget(noFocus)->focusPolicy(), Qt::NoFocus) << ControlName(noFocus);
}

TEST_F(WindowSetupTest, LayoutInPixelsAtTheScreenResolution) {
  HarnessWindow& w = MakeWindow();
  const double scale = w.screen()->logicalDotsPerInch() / 96.0;
  auto px = [scale](int pixelsAt96) { return static_cast<int>(std::lround(pixelsAt96 * scale)); };
  auto rect = [&](int x, int y, int width, int height) { return QRect(px(x), px(y), px(width), px(height)); };

  EXPECT_EQ(w.size(), QSize(px(686), px(219)));  // 10290 x 3285 twips
  EXPECT_EQ(w.Widget(C::fraNEW)->geometry(), rect(8, 8, 669, 105));
  // Inside the frame, relative to it.
  EXPECT_EQ(w.Widget(C::txtFolder0)->parentWidget(), w.Widget(C::fraNEW));
  EXPECT_EQ(w.Widget(C::txtFolder0)->geometry(), rect(12, 72, 649, 21));
  EXPECT_EQ(w.Widget(C::drvNew)->geometry(), rect(140, 24, 141, 20));
  EXPECT_EQ(w.Widget(C::txtFolder1)->parentWidget(), &w);
  EXPECT_EQ(w.Widget(C::txtFolder1)->geometry(), rect(20, 144, 649, 21));
  EXPECT_EQ(w.Widget(C::cmdMain0)->geometry(), rect(484, 180, 89, 29));
  EXPECT_EQ(w.Widget(C::cmdMain1)->geometry(), rect(580, 180, 89, 29));
  EXPECT_EQ(w.Widget(C::ProgressBar1)->geometry(), rect(116, 178, 273, 17));
  // The version spot sits in the lower right corner, reaching past it.
  const QRect spot = w.Widget(C::lblConv1)->geometry();
  EXPECT_EQ(spot, rect(680, 208, 8, 8));
  EXPECT_GT(spot.right(), w.width() - 1);

  // lblForm lies behind every other control.
  QWidget* form = w.Widget(C::lblForm);
  const QObjectList children = w.children();
  const auto formAt = children.indexOf(form);
  for (Control c : {C::fraNEW, C::lblMain, C::txtFolder1, C::cmdMain0, C::lblMes})
    EXPECT_LT(formAt, children.indexOf(w.Widget(c))) << ControlName(c);
}

TEST_F(WindowSetupTest, JapaneseFixedPitchFontInTheTableSizes) {
  HarnessWindow& w = MakeWindow();
  const std::string family = ui::JapaneseFixedFamily().toStdString();
  EXPECT_TRUE(family == "ＭＳ ゴシック" || family == "MS Gothic" || family == "IPAGothic") << family;
  const std::pair<Control, double> sizes[] = {
      {C::fraNEW, 12}, {C::optNew0, 12}, {C::txtFolder0, 12}, {C::cmdNew0, 9},   {C::lblMain, 12},
      {C::cmdOld1, 9}, {C::lblConv0, 9}, {C::cmdMain0, 12},   {C::cmdMain1, 12}, {C::lblMes, 8.25},
  };
  for (const auto& [control, points] : sizes) {
    const QFont font = w.Widget(control)->font();
    EXPECT_DOUBLE_EQ(font.pointSizeF(), points) << ControlName(control);
    EXPECT_EQ(font.family().toStdString(), family) << ControlName(control);
    EXPECT_EQ(font.weight(), QFont::Normal) << ControlName(control);
  }
  // The font really resolves to a face that writes Japanese.
  EXPECT_TRUE(QFontMetrics(w.Widget(C::lblMain)->font()).inFontUcs4(U'版'));
}

TEST_F(WindowSetupTest, IconIsAn32By32PictureInSixteenColours) {
  const QImage icon = ui::DrawWindowIconImage();
  ASSERT_EQ(icon.size(), QSize(32, 32));
  std::set<QRgb> colours;
  int opaque = 0;
  const std::set<QRgb> palette = [] {
    std::set<QRgb> all;
    for (unsigned rgb : ui::kClassicPalette) all.insert(qRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
    return all;
  }();
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const QRgb pixel = icon.pixel(x, y);
      if (qAlpha(pixel) == 0) continue;
      EXPECT_EQ(qAlpha(pixel), 255) << x << "," << y << " is half transparent";
      ++opaque;
      colours.insert(pixel);
      EXPECT_TRUE(palette.count(pixel)) << x << "," << y << " has a colour outside the 16";
    }
  EXPECT_LE(colours.size(), 16u);
  EXPECT_GE(colours.size(), 6u);   // a picture, not a blot
  EXPECT_GT(opaque, 32 * 32 / 3);  // fills a good part of the square
  HarnessWindow& w = MakeWindow();
  EXPECT_FALSE(w.windowIcon().isNull());
}

}  // namespace
}  // namespace dorvax::testing
