#pragma once
// The folder dialog: a tree of the folders of the file system, from its top
// (the root folder, or the drives on Windows), in which only a folder can be
// confirmed. Written here rather than taken from QFileDialog, which stores
// its history and last folder in the user's settings each time it closes;
// this program keeps no settings between runs.
#include <QDialog>
#include <QString>

class QDialogButtonBox;
class QFileSystemModel;
class QLabel;
class QPushButton;
class QTreeView;

namespace dorvax::ui {

class FolderTreeDialog : public QDialog {
 public:
  FolderTreeDialog(QWidget* owner, const QString& title);

  // The folder chosen in the tree with the platform's separators; empty
  // when none is.
  QString ChosenFolder() const;
  // Makes `path` the chosen folder, opening the tree down to it; false when
  // it is no folder of the tree.
  bool Choose(const QString& path);

  QTreeView* Tree() const { return tree_; }
  QFileSystemModel* Model() const { return model_; }
  QPushButton* OkButton() const;
  QPushButton* CancelButton() const;
  // The title as it stands above the tree.
  QLabel* TitleLabel() const { return title_; }

 private:
  void UpdateOkButton();
  int InitialWidth() const;

  QLabel* title_;
  QFileSystemModel* model_;
  QTreeView* tree_;
  QDialogButtonBox* buttons_;
};

}  // namespace dorvax::ui
