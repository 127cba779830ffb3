#pragma once
// The window as the steps of a run see it: message boxes, the status line,
// the progress display, the busy pointer, the chance to process pending
// events (where a close request arrives), the focus after a refused check,
// and the few controls a step reads or writes. Every front end (the window,
// the batch program's console, the tests) provides it.
#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/drives.h"
#include "window/controls.h"
#include "window/message_box.h"

namespace dorvax {

// Thrown out of the window services when the window was closed during a run
// in a state where the program ends at once: the run unwinds, closing its
// open files, and shows no further box.
class RunAborted : public std::runtime_error {
 public:
  RunAborted() : std::runtime_error("the window was closed during the run") {}
};

class StepWindow {
 public:
  virtual ~StepWindow() = default;

  virtual MsgAnswer MsgBox(const MessageBoxRequest& box) = 0;
  // The status line lblMes.
  virtual void SetStatus(const std::string& text) = 0;
  // Shows the progress display with the bar at 0, or hides it and empties
  // the status line.
  virtual void ShowProgress(bool show) = 0;
  // Moves the bar on by `steps` and lets the window process what is
  // pending; throws RunAborted when a close request ended the program.
  virtual void AdvanceProgress(int32_t steps) = 0;
  virtual float ProgressValue() const = 0;
  virtual void SetProgressValue(float value) = 0;
  // true: the hourglass; false: the normal pointer.
  virtual void SetBusyCursor(bool busy) = 0;
  virtual void Repaint() = 0;
  virtual void EnableInputControls(bool enable) = 0;
  // Enables the inputs again and puts the focus on the input of a side.
  virtual void FocusFolderBox(int side) = 0;
  virtual void SetFocus(Control control) = 0;
  virtual bool IsEnabled(Control control) const = 0;
  virtual bool IsVisible(Control control) const = 0;
  // The text of a folder box as typed, and a text written into it.
  virtual std::string FolderText(int side) const = 0;
  virtual void SetFolderText(int side, const std::string& text) = 0;
  virtual platform::Drives& drives() = 0;
  // Closes the window and with it the program.
  virtual void Unload() = 0;

  // The folder text of a side without leading and trailing blanks.
  std::string TrimmedFolderText(int side) const;
};

// Leading and trailing blanks removed.
std::string TrimBlanks(const std::string& text);

}  // namespace dorvax
