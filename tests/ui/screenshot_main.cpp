// Takes the pictures of the window for the documentation: idle right after
// start, and in the middle of a folder run over a generated sample tree.
// The pictures are grabbed from inside the program, so they do not depend
// on a window manager or on timing.
//
// Usage: dorvax-ui-screenshot <output folder>
#include <cstdio>
#include <string>

#include <QApplication>
#include <QTest>

#include "platform/native_path.h"
#include "support/source_tree.h"
#include "support/temp_dir.h"
#include "ui/frm_dorvax_hconv.h"
#include "ui/message_box_qt.h"

namespace {

// Grabs the window once the run has converted about half of the files.
class PhotographedWindow : public dorvax::ui::frmDorvax_hConv {
 public:
  explicit PhotographedWindow(QString runningPicture) : runningPicture_(std::move(runningPicture)) {}

  void ProcessEvents() override {
    dorvax::ui::frmDorvax_hConv::ProcessEvents();
    if (!taken && form().run.intRunState == 3 && ProgressValue() >= 50) {
      repaint();
      taken = grab().save(runningPicture_);
    }
  }

  bool taken = false;

 private:
  QString runningPicture_;
};

bool Save(QWidget& window, const QString& path) {
  window.repaint();
  return window.grab().save(path);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: dorvax-ui-screenshot <output folder>\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  PhotographedWindow window(out + "/window-running.png");
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  if (!Save(window, out + "/window-idle.png")) return 1;

  // A folder run: 80 station files of the text era make the bar move in
  // steps, so that the middle of the run can be caught.
  dorvax::testing::TempDir temp;
  const std::string source = temp.path() + "source" + dorvax::platform::Sep();
  const std::string destination = temp.path() + "old" + dorvax::platform::Sep();
  dorvax::testing::SourceTree(source)
      .Month("199901", dorvax::testing::Stations(2))
      .Month("200405", dorvax::testing::Stations(80));
  dorvax::testing::MakeFolders(destination);

  window.form().optNew_Click(1);
  window.SetSelected(dorvax::Control::optNew1, true);
  window.SetText(dorvax::Control::txtFolder0, source);
  window.SetText(dorvax::Control::txtFolder1, destination);

  using dorvax::ui::MessageBoxQt;
  MessageBoxQt::RequirePreparedAnswers(true);
  MessageBoxQt::SetNextAnswer(dorvax::MsgAnswer::kYes);  // ファイル変換を実行してよろしいですか？
  MessageBoxQt::SetNextAnswer(dorvax::MsgAnswer::kOk);   // Dorvaxデータの変換処理が完了しました。
  QTest::mouseClick(window.Widget(dorvax::Control::cmdMain0), Qt::LeftButton);

  for (const auto& box : MessageBoxQt::Shown()) std::printf("box: %s\n", box.text.c_str());
  if (!window.taken) {
    std::fprintf(stderr, "the run never reached the middle of the conversion\n");
    return 1;
  }
  return 0;
}
