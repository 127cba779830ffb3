#pragma once
// A window that shows nothing and answers every box with its default, for
// driving steps from a fuzz target.
#include <map>

#include "form/form_window.h"

namespace fuzzing {

class NullDrives : public platform::Drives {
 public:
  std::vector<platform::DriveEntry> List() override { return {}; }
  platform::DriveEntry Current() override { return {}; }
  std::string RootOf(const std::string&) override { return "/"; }
  platform::DriveType TypeOf(const std::string&) override { return platform::DriveType::kFixed; }
  bool IsReady(const std::string&) override { return true; }
};

class NullWindow : public dorvax::FormWindow {
 public:
  NullWindow() { Form_Load(); }
  int boxes = 0;
  std::string Text(dorvax::Control c) const override {
    auto it = text_.find(c);
    return it == text_.end() ? std::string() : it->second;
  }
  void SetText(dorvax::Control c, const std::string& t) override { text_[c] = t; }
  bool IsEnabled(dorvax::Control) const override { return true; }
  void SetEnabled(dorvax::Control, bool) override {}
  dorvax::BoxColour Background(dorvax::Control) const override { return dorvax::BoxColour::kNormal; }
  void SetBackground(dorvax::Control, dorvax::BoxColour) override {}
  bool IsSelected(dorvax::Control) const override { return false; }
  void SetSelected(dorvax::Control, bool) override {}
  bool IsVisible(dorvax::Control) const override { return true; }
  void SetVisible(dorvax::Control, bool) override {}
  float ProgressValue() const override { return progress_; }
  void SetProgressValue(float v) override { progress_ = v; }
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
  std::map<dorvax::Control, std::string> text_;
  float progress_ = 0;
  NullDrives drives_;
};

}  // namespace fuzzing
