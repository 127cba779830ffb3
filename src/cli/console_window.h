#pragma once
// The window of the batch program: the controls are state in memory, the
// message boxes are printed to the terminal and answered by the answer
// policy, and the progress display is one status line redrawn in place when
// the terminal shows it.
#include <csignal>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>

#include "form/control_state.h"
#include "form/form.h"

namespace dorvax::cli {

struct ConsoleSettings {
  bool assumeYes = false;      // --yes: Yes / OK to every question
  bool askOnTerminal = false;  // stdin is a terminal: ask the user
  bool drawProgress = false;   // stderr is a terminal: redraw the status line
};

class ConsoleWindow : public ControlState {
 public:
  ConsoleWindow(ConsoleSettings settings, std::istream& in, std::ostream& err,
                std::unique_ptr<platform::Drives> drives);

  // The form running on these controls.
  Form& form() { return form_; }

  // The next box with exactly this text is answered so, without printing it
  // (the run's confirmation, which starting the program already gave).
  void PreAnswer(std::string text, MsgAnswer answer);
  // A request to end the program (Ctrl+C), taken at the next ProcessEvents.
  static void RequestClose();
  bool unloaded() const { return unloaded_; }
  // Clears the redrawn status line before the program prints its last lines.
  void EndProgressLine();

  void SetText(Control control, const std::string& text) override;
  void SetVisible(Control control, bool visible) override;
  void SetProgressValue(float value) override;
  void SetFocus(Control) override {}
  void SetPointer(bool) override {}
  void ProcessEvents() override;
  void Repaint() override {}
  MsgAnswer MsgBox(const MessageBoxRequest& box) override;
  std::string SelectFolder(const std::string&) override { return {}; }
  std::string CurrentDriveText() const override;
  platform::Drives& drives() override { return *drives_; }
  void Unload() override { unloaded_ = true; }

 private:
  MsgAnswer Ask(const MessageBoxRequest& box);
  void DrawProgressLine();

  ConsoleSettings settings_;
  std::istream& in_;
  std::ostream& err_;
  std::unique_ptr<platform::Drives> drives_;
  std::string preAnswerText_;
  MsgAnswer preAnswer_ = MsgAnswer::kYes;
  bool hasPreAnswer_ = false;
  bool unloaded_ = false;
  std::string drawnLine_;  // what the status line shows now ("" = nothing)
  static volatile std::sig_atomic_t closeRequested_;
  Form form_{*this};
};

// "\r\n" becomes "\n" for the terminal.
std::string TerminalText(const std::string& text);

}  // namespace dorvax::cli
