#include "cli/console_window.h"

#include <cmath>
#include <istream>
#include <ostream>

#include "window/message_box.h"

namespace dorvax::cli {

volatile std::sig_atomic_t ConsoleWindow::closeRequested_ = 0;

std::string TerminalText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

ConsoleWindow::ConsoleWindow(ConsoleSettings settings, std::istream& in, std::ostream& err,
                             std::unique_ptr<platform::Drives> drives)
    : settings_(settings), in_(in), err_(err), drives_(std::move(drives)) {
  form_.Form_Load();
}

void ConsoleWindow::PreAnswer(std::string text, MsgAnswer answer) {
  preAnswerText_ = std::move(text);
  preAnswer_ = answer;
  hasPreAnswer_ = true;
}

void ConsoleWindow::RequestClose() { closeRequested_ = 1; }

void ConsoleWindow::SetText(Control control, const std::string& text) {
  ControlState::SetText(control, text);
  if (control == Control::lblMes) DrawProgressLine();
}

void ConsoleWindow::SetVisible(Control control, bool visible) {
  ControlState::SetVisible(control, visible);
  if (control == Control::ProgressBar1) DrawProgressLine();
}

void ConsoleWindow::SetProgressValue(float value) {
  ControlState::SetProgressValue(value);
  DrawProgressLine();
}

// A close request ends the program as the window's close box does: in the
// states where a run ends at once the forced-end notice comes first, and
// the run unwinds, closing its files.
void ConsoleWindow::ProcessEvents() {
  if (!closeRequested_) return;
  closeRequested_ = 0;
  form_.CloseRequested();
}

std::string ConsoleWindow::CurrentDriveText() const { return drives_->Current().DisplayText(); }

void ConsoleWindow::DrawProgressLine() {
  if (!settings_.drawProgress) return;
  std::string line;
  if (IsVisible(Control::ProgressBar1)) {
    std::string status = Text(Control::lblMes);
    int percent = static_cast<int>(std::lround(ProgressValue()));
    line = (status.empty() ? std::string() : status + " ") + std::to_string(percent) + "%";
  }
  if (line == drawnLine_) return;
  err_ << "\r\033[K" << line << std::flush;
  drawnLine_ = line;
}

void ConsoleWindow::EndProgressLine() {
  if (!settings_.drawProgress || drawnLine_.empty()) return;
  err_ << "\r\033[K" << std::flush;
  drawnLine_.clear();
}

MsgAnswer ConsoleWindow::MsgBox(const MessageBoxRequest& box) {
  if (hasPreAnswer_ && box.text == preAnswerText_) {
    hasPreAnswer_ = false;
    return preAnswer_;
  }
  std::string redraw = drawnLine_;
  EndProgressLine();
  err_ << "[" << box.title << "] " << TerminalText(box.text) << "\n" << std::flush;
  MsgAnswer answer = box.buttons == MsgButtons::kOk ? MsgAnswer::kOk : Ask(box);
  if (!redraw.empty()) DrawProgressLine();
  return answer;
}

// A question: --yes takes Yes / OK; a terminal is asked; anything else
// takes No / Cancel, the answers that keep what exists and stop the run.
MsgAnswer ConsoleWindow::Ask(const MessageBoxRequest& box) {
  const bool yesNo = box.buttons == MsgButtons::kYesNo;
  const MsgAnswer positive = yesNo ? MsgAnswer::kYes : MsgAnswer::kOk;
  const MsgAnswer negative = yesNo ? MsgAnswer::kNo : MsgAnswer::kCancel;
  MsgAnswer answer = negative;
  if (settings_.assumeYes) {
    answer = positive;
  } else if (settings_.askOnTerminal) {
    for (;;) {
      err_ << "  " << AnswerName(positive) << " (y) / " << AnswerName(negative)
           << " (n), Enter = " << AnswerName(box.defaultAnswer) << ": " << std::flush;
      std::string reply;
      if (!std::getline(in_, reply)) break;  // end of input: the cautious answer
      if (!reply.empty() && reply.back() == '\r') reply.pop_back();
      if (reply.empty()) return box.defaultAnswer;
      if (reply == "y" || reply == "Y" || reply == "yes") return positive;
      if (reply == "n" || reply == "N" || reply == "no") return negative;
    }
    err_ << "\n";
  }
  err_ << "  -> " << AnswerName(answer) << "\n" << std::flush;
  return answer;
}

}  // namespace dorvax::cli
