// Takes the pictures of the window for the README and the user guide: the
// window idle, with each kind of source chosen, in the middle of a folder
// run, the folder dialog, and the message boxes the guide explains. The
// pictures are grabbed from inside the program, so they do not depend on
// timing; a virtual X server has no window manager, so each picture gets
// a title bar drawn here with the window's title.
//
// Usage: dorvax-ui-screenshot <output folder>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include <QApplication>
#include <QComboBox>
#include <QFileSystemModel>
#include <QPainter>
#include <QTest>
#include <QTreeView>

#include "platform/native_path.h"
#include "treegen.h"
#include "ui/folder_tree_dialog.h"
#include "ui/frm_dorvax_hconv.h"
#include "ui/message_box_qt.h"
#include "ui/toolkit_translation.h"
#include "ui/window_icon.h"
#include "window/message_box.h"

namespace {

using dorvax::Control;
using dorvax::MsgIcon;

// The picture of a widget under a drawn title bar: the title (and, for the
// main window, its icon) in white on the classic dark blue, a grey frame.
QImage Framed(QWidget& widget, bool withIcon) {
  widget.repaint();
  const QImage body = widget.grab().toImage();
  const int bar = 22;
  QImage image(body.width() + 2, body.height() + bar + 2, QImage::Format_RGB32);
  image.fill(QColor(128, 128, 128));
  QPainter p(&image);
  p.fillRect(1, 1, body.width(), bar, QColor(0, 0, 128));
  int textLeft = 6;
  if (withIcon) {
    p.drawImage(QRect(4, 4, 16, 16), dorvax::ui::DrawWindowIconImage());
    textLeft = 24;
  }
  QFont font = widget.font();
  font.setBold(true);
  font.setPixelSize(12);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(textLeft, 1, body.width() - textLeft, bar), Qt::AlignVCenter | Qt::AlignLeft, widget.windowTitle());
  p.drawImage(1, bar + 1, body);
  return image;
}

bool Save(QWidget& widget, const QString& path, bool withIcon = true) {
  if (Framed(widget, withIcon).save(path)) return true;
  std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
  return false;
}

// Drives as a user's machine shows them: the system disk, a data disk and
// a CD-ROM drive holding the first disc of a year.
class PictureDrives : public dorvax::platform::Drives {
 public:
  std::vector<dorvax::platform::DriveEntry> List() override { return entries_; }
  dorvax::platform::DriveEntry Current() override { return entries_.front(); }
  std::string RootOf(const std::string& path) override {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
      if (path.rfind(it->root, 0) == 0) return it->root;
    return "/";
  }
  dorvax::platform::DriveType TypeOf(const std::string& path) override {
    const std::string root = RootOf(path);
    for (const auto& entry : entries_)
      if (entry.root == root) return entry.type;
    return dorvax::platform::DriveType::kFixed;
  }
  bool IsReady(const std::string&) override { return true; }

 private:
  std::vector<dorvax::platform::DriveEntry> entries_ = {
      {"/", "", dorvax::platform::DriveType::kFixed},
      {"/home/", "", dorvax::platform::DriveType::kFixed},
      {"/media/cdrom0/", "DORVAX1999_1", dorvax::platform::DriveType::kCdRom},
  };
};

// Grabs the window once the run has converted about half of the files.
class PhotographedWindow : public dorvax::ui::frmDorvax_hConv {
 public:
  explicit PhotographedWindow(QString runningPicture)
      : dorvax::ui::frmDorvax_hConv(std::make_unique<PictureDrives>()), runningPicture_(std::move(runningPicture)) {}

  void ProcessEvents() override {
    dorvax::ui::frmDorvax_hConv::ProcessEvents();
    if (!taken && form().run.intRunState == 3 && ProgressValue() >= 50) taken = Save(*this, runningPicture_);
  }

  bool taken = false;

 private:
  QString runningPicture_;
};

// The boxes the guide shows, by file name: a question before the run, the
// question about an existing old tree, the disc change, a file name that
// does not fit, a stop on a broken value, and the completion notice.
std::map<QString, dorvax::MessageBoxRequest> GuideBoxes() {
  using dorvax::OkBox;
  using dorvax::OkCancelBox;
  using dorvax::YesNoBox;
  return {
      {"box-confirm-run", YesNoBox("ファイル変換を実行してよろしいですか？")},
      {"box-delete-old-tree", YesNoBox("旧版フォルダ内の既存の\"\\dorvax\"フォルダを削除して、新たに\"\\dorvax\"フォル"
                                       "ダを作成してもよろしいですか？\r\n"
                                       "（既存フォルダ内のファイルは全て削除されます）")},
      {"box-second-disc", OkCancelBox("１枚目のCD-ROMの変換処理が終了しました。\r\n"
                                      "１枚目のCD-ROMを取り出し、２枚目のCD-ROMを入れてください。\r\n"
                                      "入れ終わったら「OK」を押してください。\r\n"
                                      "変換処理を中断する場合は「キャンセル」を押してください。",
                                      "メッセージ", MsgIcon::kInformation)},
      {"box-unknown-file", YesNoBox("新版ファイル中に、年報CD-ROMのファイルに該当しない名称のファイルがあります。\r\n"
                                    "このファイルを処理せずに、変換処理を続けますか？\r\n"
                                    "（エラーファイル名：\\199901\\area44\\readme.txt）",
                                    "確認", MsgIcon::kExclamation)},
      {"box-error",
       OkBox("エラー発生により、現在の処理を中断します。\r\n13 : 型が一致しません。", "処理中断", MsgIcon::kCritical)},
      {"box-finished", OkBox("Dorvaxデータの変換処理が完了しました。", "変換終了", MsgIcon::kInformation)},
  };
}

bool SaveBoxes(QWidget& owner, const QString& out) {
  for (const auto& [name, request] : GuideBoxes()) {
    std::unique_ptr<QMessageBox> box = dorvax::ui::MessageBoxQt::Build(&owner, request);
    box->show();
    if (!QTest::qWaitForWindowExposed(box.get()) || !Save(*box, out + "/" + name + ".png", false)) return false;
    box->close();
  }
  return true;
}

// The folder dialog of the source side, opened down to the chosen folder.
bool SaveFolderDialog(QWidget& owner, const std::string& folder, const QString& path) {
  dorvax::ui::FolderTreeDialog dialog(&owner, "\"\\dorvax\"フォルダが含まれる新版フォルダを指定してください");
  dialog.resize(520, 420);
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog) || !dialog.Choose(QString::fromStdString(folder))) return false;
  // The tree fills itself in the background, one folder at a time; the
  // chosen folder is opened to show the "dorvax" folder it holds.
  QTest::qWait(500);
  QTreeView* tree = dialog.Tree();
  tree->expand(tree->currentIndex());
  // Whatever else lies in the temporary folder of this machine stays out
  // of the picture.
  const QModelIndex work = tree->currentIndex().parent();
  for (int row = 0; row < dialog.Model()->rowCount(work.parent()); ++row)
    tree->setRowHidden(row, work.parent(), row != work.row());
  QTest::qWait(300);
  tree->scrollTo(tree->currentIndex(), QAbstractItemView::PositionAtCenter);
  return Save(dialog, path, false);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  dorvax::ui::InstallToolkitTranslation();
  if (argc != 2) {
    std::fprintf(stderr, "usage: dorvax-ui-screenshot <output folder>\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  // Folders with names a user would give them; removed at the end.
  const std::string work = "/tmp/dorvax-guide/";
  std::filesystem::remove_all(work);
  const std::string source = work + "年報1999/";
  const std::string destination = work + "旧版データ/";
  // A generated year's first month of each era; 80 station files make the
  // bar move in steps.
  treegen::Options sample;
  sample.root = source;
  sample.months = {199901, 200405};
  sample.stations = 80;
  sample.areas = {44, 45};
  sample.complete = true;
  sample.keepLines = false;
  treegen::Generate(sample);
  std::filesystem::create_directories(destination);

  PhotographedWindow window(out + "/window-running.png");
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  bool saved = Save(window, out + "/window-idle.png");

  // Two CD-ROMs: the CD-ROM drive chosen in the drive list.
  QTest::mouseClick(window.Widget(Control::optNew0), Qt::LeftButton);
  auto* driveList = static_cast<QComboBox*>(window.Widget(Control::drvNew));
  driveList->setCurrentIndex(driveList->findText("/media/cdrom0/", Qt::MatchStartsWith));
  window.SetText(Control::txtFolder1, destination);
  saved = saved && Save(window, out + "/window-cdrom.png");

  // A folder on a hard disk.
  QTest::mouseClick(window.Widget(Control::optNew1), Qt::LeftButton);
  window.SetText(Control::txtFolder0, source);
  saved = saved && Save(window, out + "/window-folder.png");
  saved = saved && SaveFolderDialog(window, source, out + "/folder-dialog.png");
  saved = saved && SaveBoxes(window, out);
  if (!saved) return 1;

  using dorvax::ui::MessageBoxQt;
  MessageBoxQt::RequirePreparedAnswers(true);
  MessageBoxQt::SetNextAnswer(dorvax::MsgAnswer::kYes);  // ファイル変換を実行してよろしいですか？
  MessageBoxQt::SetNextAnswer(dorvax::MsgAnswer::kOk);   // Dorvaxデータの変換処理が完了しました。
  QTest::mouseClick(window.Widget(Control::cmdMain0), Qt::LeftButton);

  for (const auto& box : MessageBoxQt::Shown()) std::printf("box: %s\n", box.text.c_str());
  std::filesystem::remove_all(work);
  if (!window.taken) {
    std::fprintf(stderr, "the run never reached the middle of the conversion\n");
    return 1;
  }
  return 0;
}
