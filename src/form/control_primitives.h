#pragma once
// What a front end provides so that the form's procedures can run on it:
// reading and setting the state of each control, the pointer, painting,
// processing pending events, message boxes, the folder dialog and the drive
// list. The Qt window, the native Windows window, the batch program's
// console and the tests each implement these and nothing more; everything
// the form does with them is written once (form/form.h).
#include <string>

#include "platform/drives.h"
#include "window/controls.h"
#include "window/message_box.h"

namespace dorvax {

// The background of the source folder box and the drive list.
enum class BoxColour { kNormal, kWhite, kLightGrey };

class ControlPrimitives {
 public:
  virtual ~ControlPrimitives() = default;

  virtual std::string Text(Control control) const = 0;  // txtFolder0/1, lblMes
  virtual void SetText(Control control, const std::string& text) = 0;
  virtual bool IsEnabled(Control control) const = 0;
  virtual void SetEnabled(Control control, bool enabled) = 0;
  virtual BoxColour Background(Control control) const = 0;
  virtual void SetBackground(Control control, BoxColour colour) = 0;
  virtual bool IsSelected(Control option) const = 0;  // optNew0/1
  virtual void SetSelected(Control option, bool selected) = 0;
  virtual bool IsVisible(Control control) const = 0;
  virtual void SetVisible(Control control, bool visible) = 0;
  virtual float ProgressValue() const = 0;
  virtual void SetProgressValue(float value) = 0;
  virtual void SetFocus(Control control) = 0;
  // true: the hourglass; false: the normal pointer.
  virtual void SetPointer(bool busy) = 0;
  // Lets the window handle what is pending: paint, input, a close request
  // (which the front end hands to Form::CloseRequested).
  virtual void ProcessEvents() = 0;
  virtual void Repaint() = 0;
  virtual MsgAnswer MsgBox(const MessageBoxRequest& box) = 0;
  // The folder dialog: the chosen folder, or empty text when cancelled.
  virtual std::string SelectFolder(const std::string& title) = 0;
  // The text of the drive list's current entry.
  virtual std::string CurrentDriveText() const = 0;
  virtual platform::Drives& drives() = 0;
  // Closes the window and with it the program.
  virtual void Unload() = 0;
};

}  // namespace dorvax
