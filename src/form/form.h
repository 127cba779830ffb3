#pragma once
// The form frmDorvax_hConv as every front end shares it: the form-level
// values of a run, the window's own procedures (set-up, the display
// services, the option buttons, the drive list, the folder buttons, the
// enabling of the inputs, the close request) and the routing of "変換実行"
// and "終了" to the run controller. It runs on the control primitives a
// front end provides, and is the window the steps of a run talk to.
#include <cstdint>
#include <string>

#include "form/control_primitives.h"
#include "run/run_controller.h"
#include "window/run_state.h"
#include "window/step_window.h"

namespace dorvax {

class Form final : public StepWindow {
 public:
  explicit Form(ControlPrimitives& controls) : controls_(controls) {}
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  RunState run;

  // ---- Events a front end routes here ------------------------------------
  void Form_Load() { InitializeForm(); }
  void optNew_Click(int16_t index);
  void drvNew_Change();
  void cmdNew_Click(int16_t index);
  void cmdOld_Click(int16_t index);
  // "変換実行" (0) or "終了" (1). A run ended by a close request unwinds to
  // here and the program ends (the outcome says `aborted`); any failure the
  // run did not handle ends in the generic box with the window back to idle.
  RunOutcome cmdMain_Click(int16_t index);
  // The window's close box (or Ctrl+C): Form_Unload's notice in the states
  // where the program ends at once; a run under way ends at its next chance
  // to process events, without further boxes. The close always goes ahead.
  void CloseRequested();

  // ---- The window's own procedures ---------------------------------------
  void InitializeForm();
  void ClearFolderChoice(int16_t side);
  void BrowseFolder(int16_t side);
  // A close request. True when a run was under way in a state where the
  // program ends at once (after the notice).
  bool Form_Unload();

  // True from "変換実行" until its run has returned.
  bool RunInProgress() const { return runInProgress_; }
  // True once a close request or "終了" ended the program.
  bool ProgramEnded() const { return programEnded_; }

  // ---- The window as the steps see it ------------------------------------
  MsgAnswer MsgBox(const MessageBoxRequest& box) override;
  void SetStatus(const std::string& text) override { controls_.SetText(Control::lblMes, text); }
  void ShowProgress(bool show) override;
  void AdvanceProgress(int32_t steps) override;
  float ProgressValue() const override { return controls_.ProgressValue(); }
  void SetProgressValue(float value) override { controls_.SetProgressValue(value); }
  void SetBusyCursor(bool busy) override { controls_.SetPointer(busy); }
  void Repaint() override { controls_.Repaint(); }
  void EnableInputControls(bool enable) override;
  void FocusFolderBox(int side) override;
  void SetFocus(Control control) override { controls_.SetFocus(control); }
  bool IsEnabled(Control control) const override { return controls_.IsEnabled(control); }
  bool IsVisible(Control control) const override { return controls_.IsVisible(control); }
  std::string FolderText(int side) const override { return controls_.Text(FolderBox(side)); }
  void SetFolderText(int side, const std::string& text) override { controls_.SetText(FolderBox(side), text); }
  platform::Drives& drives() override { return controls_.drives(); }
  void Unload() override;

 private:
  void RecoverFromUnhandledFailure(int32_t number, const std::string& description);
  void ThrowWhenAborted() const;

  ControlPrimitives& controls_;
  bool runInProgress_ = false;
  // Set when a close request ended the run: the next chance to process
  // events (or to show a box) throws RunAborted so that the run unwinds.
  bool abortRun_ = false;
  bool programEnded_ = false;
};

}  // namespace dorvax
