#pragma once
// frmDorvax_hConv: the program's one window on the Windows API. It builds the
// controls of the layout table as Windows controls, provides the control
// primitives on top of them and routes the control events and the close box
// to the form.
#include <windows.h>

#include <map>
#include <memory>

#include "form/control_primitives.h"
#include "form/form.h"
#include "platform/drives.h"
#include "winui/win_controls.h"

namespace dorvax::winui {

class frmDorvax_hConv final : public ControlPrimitives {
 public:
  explicit frmDorvax_hConv(std::unique_ptr<platform::Drives> drives = platform::MakeSystemDrives());
  ~frmDorvax_hConv() override;
  frmDorvax_hConv(const frmDorvax_hConv&) = delete;
  frmDorvax_hConv& operator=(const frmDorvax_hConv&) = delete;

  // Creates the window and its controls and runs the form's set-up; false
  // when the window could not be created.
  bool Create(HINSTANCE instance, int showCommand);
  // Hands a message to the window's keyboard handling (Tab, Enter, the
  // arrow keys); true when it was taken.
  bool TranslateDialogKeys(MSG& msg);
  HWND hwnd() const { return hwnd_; }

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
  std::string CurrentDriveText() const override { return drvNew_.CurrentText(); }
  platform::Drives& drives() override { return *drives_; }
  void Unload() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // ---- building the window
  void BuildControls();
  void PlaceControls();
  void FillDriveList();
  void SetToolTips();
  void FocusFirstControl();

  // ---- events
  void OnCommand(int id, int notification);
  // The brush for a control that asks for its colours, or null for the
  // system's own.
  HBRUSH ColourBrush(HWND control, HDC dc);

  ChildControl& Of(Control control);
  const ChildControl& Of(Control control) const;
  static int IdOf(Control control);

  std::unique_ptr<platform::Drives> drives_;
  HWND hwnd_ = nullptr;
  int dpi_ = 96;
  std::unique_ptr<FontSet> fonts_;
  HBRUSH whiteBrush_ = nullptr;
  HBRUSH greyBrush_ = nullptr;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;

  FrameBox fraNEW_;
  OptionButton optNew_[2];
  DropDownList drvNew_;
  Button cmdNew_[2];
  EditBox txtFolder_[2];
  Label lblMain_;
  Button cmdOld_[2];
  Label lblConv_[2];
  ProgressBar ProgressBar1_;
  Button cmdMain_[2];
  Label lblMes_;
  Label lblForm_;
  ToolTips toolTips_;

  std::map<Control, BoxColour> colours_;
  float progressValue_ = 0;
  bool pointerBusy_ = false;
  // The control that had the focus when the window was last deactivated,
  // given the focus back when the window is active again.
  HWND focusBeforeDeactivation_ = nullptr;
  Form form_{*this};
};

}  // namespace dorvax::winui
