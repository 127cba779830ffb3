// Repaint draws at once what changed and nothing else: during a run it is
// called after every tenth file, mostly with nothing changed.
#include <QApplication>
#include <QEvent>

#include <gtest/gtest.h>

#include "ui/frm_dorvax_hconv.h"

namespace dorvax::testing {
namespace {

class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TEST(Repaint, DrawsANewStatusTextAtOnceAndNothingWhenNothingChanged) {
  ui::frmDorvax_hConv window;
  window.show();
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();  // the first paint
  PaintCounter label, whole;
  window.Widget(Control::lblMes)->installEventFilter(&label);
  window.installEventFilter(&whole);

  window.SetText(Control::lblMes, "（新版ファイルを旧版ファイルに変換しています）");
  EXPECT_EQ(label.paints, 0);  // not before Repaint: no events are processed in between
  window.Repaint();
  EXPECT_EQ(label.paints, 1);

  int wholeBefore = whole.paints;
  for (int i = 0; i < 10; ++i) window.Repaint();
  EXPECT_EQ(label.paints, 1);
  EXPECT_EQ(whole.paints, wholeBefore);

  window.SetText(Control::lblMes, "");
  window.Repaint();
  EXPECT_EQ(label.paints, 2);
}

}  // namespace
}  // namespace dorvax::testing
