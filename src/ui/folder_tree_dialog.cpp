#include "ui/folder_tree_dialog.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

namespace dorvax::ui {

namespace {

// The size the shell's folder dialog opens with, in pixels at 96 dpi.
constexpr int kWidth = 320;
constexpr int kHeight = 400;
// Room beside the title in the title bar: the window's icon and its
// buttons, in pixels at 96 dpi.
constexpr int kTitleBarRoom = 120;

}  // namespace

FolderTreeDialog::FolderTreeDialog(QWidget* owner, const QString& title)
    : QDialog(owner),
      title_(new QLabel(title, this)),
      model_(new QFileSystemModel(this)),
      tree_(new QTreeView(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
  setWindowTitle(title);
  // The title stands above the tree as well: a title bar cuts a long title
  // short, and some desktops draw none.
  title_->setTextFormat(Qt::PlainText);
  title_->setWordWrap(true);  // only on a screen too narrow for one line
  // The buttons in Japanese whether or not the toolkit's translation is
  // installed, as the message boxes' buttons are.
  buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons_->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("キャンセル"));
  // Folders only, without "." and ".."; the drives are the top on Windows.
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setReadOnly(true);
  // The empty root path is the top of the file system: "/" below it, or the
  // drives.
  model_->setRootPath(QString());

  tree_->setModel(model_);
  tree_->setHeaderHidden(true);
  for (int column = 1; column < model_->columnCount(); ++column) tree_->hideColumn(column);
  tree_->setUniformRowHeights(true);
#ifndef _WIN32
  // The single top folder "/" is shown opened, as the first level below the
  // top is; the drives of Windows stay closed.
  tree_->expand(model_->index(QDir::rootPath()));
#endif

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title_);
  layout->addWidget(tree_);
  layout->addWidget(buttons_);
  resize(InitialWidth(), kHeight * logicalDpiY() / 96);

  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { UpdateOkButton(); });
  UpdateOkButton();
}

int FolderTreeDialog::InitialWidth() const {
  // Wide enough for the whole title on one line above the tree, and in the
  // title bar beside the icon and the buttons there; never wider than the
  // screen.
  const QMargins margins = layout()->contentsMargins();
  const int titleWidth =
      title_->fontMetrics().horizontalAdvance(title_->text()) + 2 * title_->margin() + margins.left() + margins.right();
  const int titleBarWidth = fontMetrics().horizontalAdvance(windowTitle()) + kTitleBarRoom * logicalDpiX() / 96;
  int width = std::max({kWidth * logicalDpiX() / 96, titleWidth, titleBarWidth});
  if (const QScreen* shownOn = screen()) width = std::min(width, shownOn->availableGeometry().width());
  return width;
}

QPushButton* FolderTreeDialog::OkButton() const { return buttons_->button(QDialogButtonBox::Ok); }

QPushButton* FolderTreeDialog::CancelButton() const { return buttons_->button(QDialogButtonBox::Cancel); }

QString FolderTreeDialog::ChosenFolder() const {
  const QModelIndex current = tree_->currentIndex();
  if (!current.isValid() || !model_->isDir(current)) return {};
  return QDir::toNativeSeparators(model_->filePath(current));
}

bool FolderTreeDialog::Choose(const QString& path) {
  // Asked for a path, the model takes it into the tree whatever it is, so
  // anything but a folder is turned away first.
  if (!QFileInfo(path).isDir()) return false;
  const QModelIndex index = model_->index(QDir::cleanPath(path));
  if (!index.isValid()) return false;
  tree_->setCurrentIndex(index);
  tree_->scrollTo(index);
  return true;
}

void FolderTreeDialog::UpdateOkButton() { OkButton()->setEnabled(!ChosenFolder().isEmpty()); }

}  // namespace dorvax::ui
