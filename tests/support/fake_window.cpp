#include "support/fake_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "platform/native_path.h"

namespace dorvax::testing {

void FakeControls::SetText(Control control, const std::string& text) {
  ControlState::SetText(control, text);
  if (control == Control::lblMes) {
    record_.statusTexts.push_back(text);
    record_.log.push_back("status:" + text);
    if (record_.onStatus) record_.onStatus(text);
  } else {
    record_.log.push_back(std::string("text:") + ControlName(control) + "=" + text);
  }
}

void FakeControls::SetVisible(Control control, bool visible) {
  ControlState::SetVisible(control, visible);
  record_.log.push_back(std::string(visible ? "show:" : "hide:") + ControlName(control));
}

void FakeControls::SetProgressValue(float value) {
  ControlState::SetProgressValue(value);
  record_.progressValues.push_back(value);
  std::ostringstream s;
  s << "progress:" << value;
  record_.log.push_back(s.str());
}

void FakeControls::SetFocus(Control control) {
  record_.focusLog.push_back(ControlName(control));
  record_.log.push_back(std::string("focus:") + ControlName(control));
}

void FakeControls::SetPointer(bool busyPointer) {
  record_.busy = busyPointer;
  record_.log.push_back(busyPointer ? "pointer:busy" : "pointer:normal");
}

// A close request as the steps meet it: in the states where the program ends
// at once the notice comes and the run unwinds; otherwise the window closes.
void FakeControls::ProcessEvents() {
  ++record_.processEventsCalls;
  if (closeAt > 0 && record_.processEventsCalls == closeAt) {
    record_.log.push_back("close-request");
    if (form->Form_Unload()) throw RunAborted();
    Unload();
  }
  if (record_.onProcessEvents) record_.onProcessEvents();
}

void FakeControls::Repaint() {
  if (record_.onRepaint) record_.onRepaint(run_.intRunState);
}

MsgAnswer FakeControls::MsgBox(const MessageBoxRequest& box) {
  record_.runStateAtBox.push_back(run_.intRunState);
  MsgAnswer answer = box.defaultAnswer;
  if (!script.empty()) {
    ScriptedAnswer next = std::move(script.front());
    script.pop_front();
    if (!next.expectText.empty()) {
      EXPECT_NE(box.text.find(next.expectText), std::string::npos)
          << "box text \"" << box.text << "\" lacks \"" << next.expectText << "\"";
    }
    if (next.action) next.action();
    answer = next.answer;
  } else {
    ++record_.unexpectedBoxes;
  }
  record_.boxes.push_back({box, answer});
  record_.log.push_back("box[" + box.title + "/" + IconName(box.icon) + "] " + box.text + " -> " + AnswerName(answer));
  return answer;
}

std::string FakeControls::SelectFolder(const std::string& title) {
  record_.lastDialogTitle = title;
  std::string chosen;
  chosen.swap(nextFolder);
  return chosen;
}

platform::Drives& FakeControls::drives() {
  if (otherDrives) return *otherDrives;
  return fakeDrives;
}

void FakeControls::Unload() {
  record_.unloaded = true;
  record_.log.push_back("unload");
}

FakeWindow::FakeWindow() : controls_(*this, form.run) {
  // The controls start as the window builds them (enabled, visible); then
  // the window loads, and the log starts after that.
  controls_.form = &form;
  controls_.currentDrive = platform::Sep();
  form.Form_Load();
  log.clear();
  statusTexts.clear();
  progressValues.clear();
  focusLog.clear();
}

void FakeWindow::Answer(MsgAnswer answer, std::string expectText, std::function<void()> action) {
  controls_.script.push_back({answer, std::move(expectText), std::move(action)});
}

std::vector<std::string> FakeWindow::BoxTexts() const {
  std::vector<std::string> out;
  for (const auto& b : boxes) out.push_back(b.box.text);
  return out;
}

std::vector<std::string> FakeWindow::BoxTitles() const {
  std::vector<std::string> out;
  for (const auto& b : boxes) out.push_back(b.box.title);
  return out;
}

bool FakeWindow::Logged(const std::string& entry) const {
  return std::find(log.begin(), log.end(), entry) != log.end();
}

void FakeWindow::AdvanceProgress(int32_t steps) {
  if (onAdvance) onAdvance(steps);
  form.AdvanceProgress(steps);
}

void FakeWindow::EnableInputControls(bool enable) {
  log.push_back(enable ? "EnableInputControls(true)" : "EnableInputControls(false)");
  form.EnableInputControls(enable);
}

void FakeWindow::FocusFolderBox(int side) {
  log.push_back("FocusFolderBox(" + std::to_string(side) + ")");
  form.FocusFolderBox(side);
}

void FakeWindow::ChooseFolders(const std::string& source, const std::string& destination) {
  SetSelected(Control::optNew1, true);
  form.optNew_Click(1);
  SetFolder(0, source);
  SetFolder(1, destination);
  log.clear();
}

void FakeWindow::ChooseDrive(const std::string& root, platform::DriveType type) {
  fakeDrives().AddDrive(root, type);
  SetCurrentDriveText(root);
  SetSelected(Control::optNew1, false);
  SetSelected(Control::optNew0, true);
  form.optNew_Click(0);
  log.clear();
}

::testing::AssertionResult BoxIs(const RecordedBox& shown, const std::string& text, const std::string& title,
                                 MsgIcon icon, MsgButtons buttons) {
  const MessageBoxRequest& box = shown.box;
  if (box.text == text && box.title == title && box.icon == icon && box.buttons == buttons)
    return ::testing::AssertionSuccess();
  auto describe = [](const std::string& t, const std::string& ti, MsgIcon i, MsgButtons b) {
    return "[" + ti + "/" + IconName(i) + "/buttons " + std::to_string(static_cast<int>(b)) + "] " + t;
  };
  return ::testing::AssertionFailure() << "box " << describe(box.text, box.title, box.icon, box.buttons)
                                       << "\n   is not " << describe(text, title, icon, buttons);
}

RunOutcome Press(FakeWindow& w, int16_t index) {
  RunOutcome outcome;
  cmdMain_Click(w.run, w, index, outcome);
  return outcome;
}

}  // namespace dorvax::testing
