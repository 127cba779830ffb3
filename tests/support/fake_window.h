#pragma once
// A window for tests: it keeps the state of every control, records every box,
// status text, progress value, pointer change, enabling and focus in one log,
// and answers each message box from a script the test gives it.
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "form/control_state.h"
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

class FakeWindow : public ControlStateWindow {
 public:
  FakeWindow();

  // ---- scripting
  void Answer(MsgAnswer answer, std::string expectText = {}, std::function<void()> action = {});
  // Called inside ProcessEvents once the event count reaches `atCall`
  // (1-based count of ProcessEvents calls), to simulate a close request.
  void CloseDuringRunAt(int atCall);
  // Simulates choosing a drive in the drive list.
  void SetCurrentDriveText(std::string text) { currentDrive_ = std::move(text); }
  // What the folder dialog returns next.
  void NextSelectedFolder(std::string folder) { nextFolder_ = std::move(folder); }

  // ---- what happened
  std::vector<RecordedBox> boxes;
  std::vector<std::string> log;          // every recorded event in order
  std::vector<std::string> statusTexts;  // every status line text set
  std::vector<float> progressValues;     // the bar value after every change
  std::vector<std::string> focusLog;     // controls that received the focus
  int processEventsCalls = 0;
  bool unloaded = false;
  bool busy = false;
  int unexpectedBoxes = 0;  // boxes answered with their default for lack of a script

  // Box texts in order (convenience for assertions).
  std::vector<std::string> BoxTexts() const;
  // The current folder text / control state (convenience).
  std::string Folder(int side) const { return Text(side == 0 ? Control::txtFolder0 : Control::txtFolder1); }
  void SetFolder(int side, const std::string& text) { SetText(side == 0 ? Control::txtFolder0 : Control::txtFolder1, text); }

  FakeDrives& fakeDrives() { return drives_; }

  // ---- control primitives
  void SetText(Control control, const std::string& text) override;
  void SetVisible(Control control, bool visible) override;
  void SetProgressValue(float value) override;
  void SetFocus(Control control) override;
  void SetPointer(bool busyPointer) override;
  void ProcessEvents() override;
  void Repaint() override {}
  MsgAnswer MsgBox(const MessageBoxRequest& box) override;
  std::string SelectFolder(const std::string& title) override;
  std::string CurrentDriveText() const override { return currentDrive_; }
  platform::Drives& drives() override { return drives_; }
  void Unload() override;

  // ---- services, recorded and then carried out as the window does
  void EnableInputControls(bool enable) override;
  void FocusFolderBox(int side) override;

  std::string lastDialogTitle;

 private:
  std::deque<ScriptedAnswer> script_;
  std::string currentDrive_;
  std::string nextFolder_;
  int closeAt_ = 0;
  FakeDrives drives_;
};

}  // namespace dorvax::testing
