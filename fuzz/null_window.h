#pragma once
// A window that shows nothing and answers every box with its default, for
// driving steps from a fuzz target.
#include <map>

#include "form/control_state.h"

namespace fuzzing {

class NullDrives : public platform::Drives {
 public:
  std::vector<platform::DriveEntry> List() override { return {}; }
  platform::DriveEntry Current() override { return {}; }
  std::string RootOf(const std::string&) override { return "/"; }
  platform::DriveType TypeOf(const std::string&) override { return platform::DriveType::kFixed; }
  bool IsReady(const std::string&) override { return true; }
};

class NullWindow : public dorvax::ControlStateWindow {
 public:
  NullWindow() { Form_Load(); }
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
  platform::Drives& drives() override { return drives_; }
  void Unload() override {}

 private:
  NullDrives drives_;
};

}  // namespace fuzzing
