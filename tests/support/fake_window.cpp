#include "support/fake_window.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/native_path.h"

namespace dorvax::testing {

FakeWindow::FakeWindow() {
  // The controls start as the window builds them (enabled, visible); then
  // the window loads, and the log starts after that.
  currentDrive_ = platform::Sep();
  Form_Load();
  log.clear();
  statusTexts.clear();
  progressValues.clear();
  focusLog.clear();
}

void FakeWindow::Answer(MsgAnswer answer, std::string expectText, std::function<void()> action) {
  script_.push_back({answer, std::move(expectText), std::move(action)});
}

void FakeWindow::CloseDuringRunAt(int atCall) { closeAt_ = atCall; }

std::vector<std::string> FakeWindow::BoxTexts() const {
  std::vector<std::string> out;
  for (const auto& b : boxes) out.push_back(b.box.text);
  return out;
}

void FakeWindow::SetText(Control control, const std::string& text) {
  ControlStateWindow::SetText(control, text);
  if (control == Control::lblMes) {
    statusTexts.push_back(text);
    log.push_back("status:" + text);
  } else {
    log.push_back(std::string("text:") + ControlName(control) + "=" + text);
  }
}

void FakeWindow::SetVisible(Control control, bool visible) {
  ControlStateWindow::SetVisible(control, visible);
  log.push_back(std::string(visible ? "show:" : "hide:") + ControlName(control));
}

void FakeWindow::SetProgressValue(float value) {
  ControlStateWindow::SetProgressValue(value);
  progressValues.push_back(value);
  std::ostringstream s;
  s << "progress:" << value;
  log.push_back(s.str());
}

void FakeWindow::SetFocus(Control control) {
  focusLog.push_back(ControlName(control));
  log.push_back(std::string("focus:") + ControlName(control));
}

void FakeWindow::SetPointer(bool busyPointer) {
  busy = busyPointer;
  log.push_back(busyPointer ? "pointer:busy" : "pointer:normal");
}

void FakeWindow::ProcessEvents() {
  ++processEventsCalls;
  if (closeAt_ > 0 && processEventsCalls == closeAt_) {
    log.push_back("close-request");
    if (Form_Unload()) throw RunAborted();
    Unload();
  }
}

MsgAnswer FakeWindow::MsgBox(const MessageBoxRequest& box) {
  MsgAnswer answer = box.defaultAnswer;
  if (!script_.empty()) {
    ScriptedAnswer next = std::move(script_.front());
    script_.pop_front();
    if (!next.expectText.empty()) {
      EXPECT_NE(box.text.find(next.expectText), std::string::npos)
          << "box text \"" << box.text << "\" lacks \"" << next.expectText << "\"";
    }
    if (next.action) next.action();
    answer = next.answer;
  } else {
    ++unexpectedBoxes;
  }
  boxes.push_back({box, answer});
  log.push_back("box[" + box.title + "/" + IconName(box.icon) + "] " + box.text + " -> " + AnswerName(answer));
  return answer;
}

std::string FakeWindow::SelectFolder(const std::string& title) {
  lastDialogTitle = title;
  std::string chosen;
  chosen.swap(nextFolder_);
  return chosen;
}

void FakeWindow::Unload() {
  unloaded = true;
  log.push_back("unload");
}

void FakeWindow::EnableInputControls(bool enable) {
  log.push_back(enable ? "EnableInputControls(true)" : "EnableInputControls(false)");
  FormWindow::EnableInputControls(enable);
}

void FakeWindow::FocusFolderBox(int side) {
  log.push_back("FocusFolderBox(" + std::to_string(side) + ")");
  FormWindow::FocusFolderBox(side);
}

}  // namespace dorvax::testing
