#pragma once
// A window that shows nothing and answers every box with its default, for
// driving steps from a fuzz target.
#include <map>

#include "form/control_state.h"
#include "form/form.h"

namespace fuzzing {

class NullDrives : public dorvax::platform::Drives {
 public:
  std::vector<dorvax::platform::DriveEntry> List() override { return {}; }
  dorvax::platform::DriveEntry Current() override { return {}; }
  std::string RootOf(const std::string&) override { return "/"; }
  dorvax::platform::DriveType TypeOf(const std::string&) override { return dorvax::platform::DriveType::kFixed; }
  bool IsReady(const std::string&) override { return true; }
};

// Controls that show nothing; every box takes its default answer.
class NullControls : public dorvax::ControlState {
 public:
  int boxes = 0;
  void SetFocus(dorvax::Control) override {}
  void SetPointer(bool) override {}
  void ProcessEvents() override {}
  void Repaint() override {}
  dorvax::MsgAnswer MsgBox(const dorvax::MessageBoxRequest& box) override {
    ++boxes;
    return box.defaultAnswer;
  }
  std::string SelectFolder(const std::string&) override { return {}; }
  std::string CurrentDriveText() const override { return "/"; }
  dorvax::platform::Drives& drives() override { return drives_; }
  void Unload() override {}

 private:
  NullDrives drives_;
};

// The form on those controls, loaded.
struct NullWindow {
  NullWindow() { form.Form_Load(); }
  NullControls controls;
  dorvax::Form form{controls};
};

}  // namespace fuzzing
