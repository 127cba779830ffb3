#pragma once
// The window of the tests: the form on controls kept in memory. It records
// every box, status text, progress value, pointer change, enabling and focus
// in one log, answers each message box from a script the test gives it, and
// runs the test's hooks where a run meets the window (to change the source
// under a running step, or to make a window service fail).
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "form/control_state.h"
#include "form/form.h"
#include "support/fake_drives.h"

namespace dorvax::testing {

struct RecordedBox {
  MessageBoxRequest box;
  MsgAnswer answer;
};

// One scripted answer. `expectText`, when not empty, must occur in the box
// text; `action` runs before the answer is returned (to swap a disc, delete
// a folder, ...).
struct ScriptedAnswer {
  MsgAnswer answer;
  std::string expectText;
  std::function<void()> action;
};

// What the window records and how it is scripted, shared by its controls and
// by the window the steps talk to.
struct FakeRecord {
  std::vector<RecordedBox> boxes;
  std::vector<int16_t> runStateAtBox;    // the run state when each box was shown
  std::vector<std::string> log;          // every recorded event in order
  std::vector<std::string> statusTexts;  // every status line text set
  std::vector<float> progressValues;     // the bar value after every change
  std::vector<std::string> focusLog;     // controls that received the focus
  int processEventsCalls = 0;
  int unexpectedBoxes = 0;  // boxes answered with their default for lack of a script
  bool unloaded = false;
  bool busy = false;
  std::string lastDialogTitle;

  // ---- hooks, each run where the run meets the window
  std::function<void()> onProcessEvents;             // after every ProcessEvents
  std::function<void(int16_t runState)> onRepaint;   // inside every Repaint
  std::function<void(const std::string&)> onStatus;  // after a status text is shown
  std::function<void(int32_t steps)> onAdvance;      // before every AdvanceProgress
};

class FakeControls : public ControlState {
 public:
  FakeControls(FakeRecord& record, const RunState& run) : record_(record), run_(run) {}

  std::deque<ScriptedAnswer> script;
  std::string currentDrive;
  std::string nextFolder;
  int closeAt = 0;
  Form* form = nullptr;
  FakeDrives fakeDrives;
  std::unique_ptr<platform::Drives> otherDrives;

  void SetText(Control control, const std::string& text) override;
  void SetVisible(Control control, bool visible) override;
  void SetProgressValue(float value) override;
  void SetFocus(Control control) override;
  void SetPointer(bool busyPointer) override;
  void ProcessEvents() override;
  void Repaint() override;
  MsgAnswer MsgBox(const MessageBoxRequest& box) override;
  std::string SelectFolder(const std::string& title) override;
  std::string CurrentDriveText() const override { return currentDrive; }
  platform::Drives& drives() override;
  void Unload() override;

 private:
  FakeRecord& record_;
  const RunState& run_;
};

class FakeWindow : public StepWindow, public FakeRecord {
 public:
  FakeWindow();

  // ---- scripting
  void Answer(MsgAnswer answer, std::string expectText = {}, std::function<void()> action = {});
  // A close request inside ProcessEvents once the event count reaches
  // `atCall` (1-based count of ProcessEvents calls).
  void CloseDuringRunAt(int atCall) { controls_.closeAt = atCall; }
  // Simulates choosing a drive in the drive list.
  void SetCurrentDriveText(std::string text) { controls_.currentDrive = std::move(text); }
  // What the folder dialog returns next.
  void NextSelectedFolder(std::string folder) { controls_.nextFolder = std::move(folder); }
  // "CD-ROM以外" chosen, with the two folder texts; the log starts after that.
  void ChooseFolders(const std::string& source, const std::string& destination);
  // "CD-ROM(2枚)" chosen, with a fake drive of `type` at `root` the current
  // entry of the drive list; the log starts after that.
  void ChooseDrive(const std::string& root, platform::DriveType type = platform::DriveType::kCdRom);
  // The machine's own drives instead of the fakes.
  void UseSystemDrives() { controls_.otherDrives = platform::MakeSystemDrives(); }
  FakeDrives& fakeDrives() { return controls_.fakeDrives; }

  // ---- what happened (besides FakeRecord)
  std::vector<std::string> BoxTexts() const;
  bool Logged(const std::string& entry) const;
  std::vector<std::string> BoxTitles() const;

  // ---- the controls as the user sees and sets them
  std::string Folder(int side) const { return FolderText(side); }
  void SetFolder(int side, const std::string& text) { SetFolderText(side, text); }
  std::string Text(Control control) const { return controls_.Text(control); }
  bool IsSelected(Control option) const { return controls_.IsSelected(option); }
  void SetSelected(Control option, bool selected) { controls_.SetSelected(option, selected); }
  BoxColour Background(Control control) const { return controls_.Background(control); }
  void SetEnabled(Control control, bool enabled) { controls_.SetEnabled(control, enabled); }

  // ---- the window as the steps see it: the form, with the services recorded
  MsgAnswer MsgBox(const MessageBoxRequest& box) override { return form.MsgBox(box); }
  void SetStatus(const std::string& text) override { form.SetStatus(text); }
  void ShowProgress(bool show) override { form.ShowProgress(show); }
  void AdvanceProgress(int32_t steps) override;
  float ProgressValue() const override { return form.ProgressValue(); }
  void SetProgressValue(float value) override { form.SetProgressValue(value); }
  void SetBusyCursor(bool busyPointer) override { form.SetBusyCursor(busyPointer); }
  void Repaint() override { form.Repaint(); }
  void EnableInputControls(bool enable) override;
  void FocusFolderBox(int side) override;
  void SetFocus(Control control) override { form.SetFocus(control); }
  bool IsEnabled(Control control) const override { return form.IsEnabled(control); }
  bool IsVisible(Control control) const override { return form.IsVisible(control); }
  std::string FolderText(int side) const override { return form.FolderText(side); }
  void SetFolderText(int side, const std::string& text) override { form.SetFolderText(side, text); }
  platform::Drives& drives() override { return form.drives(); }
  void Unload() override { form.Unload(); }

 private:
  FakeControls controls_;

 public:
  Form form{controls_};
  RunState& run = form.run;
};

// Presses "変換実行" (0) or "終了" (1): the run controller on the test window.
RunOutcome Press(FakeWindow& w, int16_t index);

// A box with this text, title, icon and buttons.
::testing::AssertionResult BoxIs(const RecordedBox& shown, const std::string& text, const std::string& title,
                                 MsgIcon icon, MsgButtons buttons = MsgButtons::kOk);

}  // namespace dorvax::testing

namespace dorvax {
// Step results print as the numbers the batch program shows.
inline void PrintTo(StepResult result, std::ostream* out) { *out << ResultNumber(result); }
}  // namespace dorvax
