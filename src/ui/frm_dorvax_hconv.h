#pragma once
// frmDorvax_hConv: the program's one window on Qt. It builds the controls of
// the layout table with real widgets, provides the control primitives on
// top of them and routes the control events and the close box to the form.
#include <map>
#include <memory>

#include <QWidget>

#include "form/control_primitives.h"
#include "form/form.h"
#include "platform/drives.h"

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace dorvax::ui {

class frmDorvax_hConv : public QWidget, public ControlPrimitives {
  Q_OBJECT

 public:
  // `drives` feeds the drive list and the drive checks of a run: the
  // machine's drives unless a test hands in its own.
  explicit frmDorvax_hConv(std::unique_ptr<platform::Drives> drives = platform::MakeSystemDrives(),
                           QWidget* parent = nullptr);
  ~frmDorvax_hConv() override;

  // ---- control primitives
  std::string Text(Control control) const override;
  void SetText(Control control, const std::string& text) override;
  bool IsEnabled(Control control) const override;
  void SetEnabled(Control control, bool enabled) override;
  BoxColour Background(Control control) const override;
  void SetBackground(Control control, BoxColour colour) override;
  bool IsSelected(Control option) const override;
  void SetSelected(Control option, bool selected) override;
  bool IsVisible(Control control) const override;
  void SetVisible(Control control, bool visible) override;
  float ProgressValue() const override { return progressValue_; }
  void SetProgressValue(float value) override;
  void SetFocus(Control control) override;
  void SetPointer(bool busy) override;
  void ProcessEvents() override;
  void Repaint() override;
  MsgAnswer MsgBox(const MessageBoxRequest& box) override;
  std::string SelectFolder(const std::string& title) override;
  std::string CurrentDriveText() const override;
  platform::Drives& drives() override { return *drives_; }
  void Unload() override;

  // The form running on this window's controls.
  Form& form() { return form_; }
  const Form& form() const { return form_; }
  // The widget that stands for a control.
  QWidget* Widget(Control control) const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // ---- control events (one handler per control array, given the index)
  void optNew_Clicked(int index);
  void drvNew_Changed(int row);
  void cmdNew_Clicked(int index);
  void cmdOld_Clicked(int index);
  void cmdMain_Clicked(int index);

  // ---- building the window
  void BuildControls();
  void PlaceControls();
  void FillDriveList();
  void SetToolTips();
  void UpdateDriveListToolTip();
  bool DriveListCutsItsEntry() const;
  void SetTabOrder();
  void ConnectEvents();
  QButtonGroup* MakeArray(QAbstractButton* first, QAbstractButton* second, bool exclusive);
  void QuitApplication();

  std::unique_ptr<platform::Drives> drives_;
  std::map<Control, QWidget*> widgets_;
  std::map<Control, BoxColour> colours_;
  QGroupBox* fraNEW_ = nullptr;
  QRadioButton* optNew_[2] = {};
  QComboBox* drvNew_ = nullptr;
  QPushButton* cmdNew_[2] = {};
  QPushButton* cmdOld_[2] = {};
  QPushButton* cmdMain_[2] = {};
  QLineEdit* txtFolder_[2] = {};
  QLabel* lblMain_ = nullptr;
  QLabel* lblConv_[2] = {};
  QLabel* lblMes_ = nullptr;
  QLabel* lblForm_ = nullptr;
  QProgressBar* ProgressBar1_ = nullptr;
  QButtonGroup* optNewGroup_ = nullptr;

  float progressValue_ = 0;
  bool pointerBusy_ = false;
  Form form_{*this};
};

}  // namespace dorvax::ui
