#pragma once
// frmDorvax_hConv: the program's one window. It builds the controls of the
// layout table with real widgets, provides the control primitives of
// FormWindow on top of them and routes the control events to the window's
// procedures and to the run controller.
#include <map>
#include <memory>

#include <QWidget>

#include "form/form_window.h"
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

class frmDorvax_hConv : public QWidget, public dorvax::FormWindow {
  Q_OBJECT

 public:
  // `drives` feeds the drive list and the drive checks of a run: the
  // machine's drives unless a test hands in its own.
  explicit frmDorvax_hConv(std::unique_ptr<platform::Drives> drives = platform::MakeSystemDrives(),
                           QWidget* parent = nullptr);
  ~frmDorvax_hConv() override;

  // ---- control primitives
  std::string Text(dorvax::Control control) const override;
  void SetText(dorvax::Control control, const std::string& text) override;
  bool IsEnabled(dorvax::Control control) const override;
  void SetEnabled(dorvax::Control control, bool enabled) override;
  dorvax::BoxColour Background(dorvax::Control control) const override;
  void SetBackground(dorvax::Control control, dorvax::BoxColour colour) override;
  bool IsSelected(dorvax::Control option) const override;
  void SetSelected(dorvax::Control option, bool selected) override;
  bool IsVisible(dorvax::Control control) const override;
  void SetVisible(dorvax::Control control, bool visible) override;
  float ProgressValue() const override { return progressValue_; }
  void SetProgressValue(float value) override;
  void SetFocus(dorvax::Control control) override;
  void SetPointer(bool busy) override;
  void ProcessEvents() override;
  void Repaint() override;
  dorvax::MsgAnswer MsgBox(const dorvax::MessageBoxRequest& box) override;
  std::string SelectFolder(const std::string& title) override;
  std::string CurrentDriveText() const override;
  platform::Drives& drives() override { return *drives_; }
  void Unload() override;

  // The widget that stands for a control.
  QWidget* Widget(dorvax::Control control) const;
  // True from "変換実行" until its run has returned.
  bool RunInProgress() const { return runInProgress_; }
  // True once the window asked the program to end (closed, unloaded or
  // ended at once during a run).
  bool ProgramEnded() const { return programEnded_; }

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
  void SetTabOrder();
  void ConnectEvents();
  QButtonGroup* MakeArray(QAbstractButton* first, QAbstractButton* second, bool exclusive);
  void QuitApplication();
  void RecoverFromUnhandledFailure(int32_t number, const std::string& description);

  std::unique_ptr<platform::Drives> drives_;
  std::map<dorvax::Control, QWidget*> widgets_;
  std::map<dorvax::Control, dorvax::BoxColour> colours_;
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
  bool runInProgress_ = false;
  // Set when a close request ended the run: the next chance to process
  // events throws RunAborted so that the run unwinds without further boxes.
  bool abortRun_ = false;
  bool programEnded_ = false;
};
