#include "ui/folder_tree_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace dorvax::ui {

namespace {

// The size the shell's folder dialog opens with, in pixels at 96 dpi.
constexpr int kWidth = 320;
constexpr int kHeight = 400;

}  // namespace

FolderTreeDialog::FolderTreeDialog(QWidget* owner, const QString& title)
    : QDialog(owner), model_(new QFileSystemModel(this)), tree_(new QTreeView(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
  setWindowTitle(title);
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
  layout->addWidget(tree_);
  layout->addWidget(buttons_);
  resize(kWidth * logicalDpiX() / 96, kHeight * logicalDpiY() / 96);

  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { UpdateOkButton(); });
  UpdateOkButton();
}

QPushButton* FolderTreeDialog::OkButton() const { return buttons_->button(QDialogButtonBox::Ok); }

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
