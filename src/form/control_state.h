#pragma once
// Controls that are state in memory: the text, enabled state,
// colour, selection and visibility of each control and the bar's value. The
// batch program's console and the windows of the tests build on them and add
// only what they do with that state (print it, record it).
#include <map>
#include <string>

#include "form/control_primitives.h"

namespace dorvax {

class ControlState : public ControlPrimitives {
 public:
  std::string Text(Control control) const override;
  void SetText(Control control, const std::string& text) override { text_[control] = text; }
  bool IsEnabled(Control control) const override;
  void SetEnabled(Control control, bool enabled) override { enabled_[control] = enabled; }
  BoxColour Background(Control control) const override;
  void SetBackground(Control control, BoxColour colour) override { colour_[control] = colour; }
  bool IsSelected(Control option) const override;
  void SetSelected(Control option, bool selected) override { selected_[option] = selected; }
  bool IsVisible(Control control) const override;
  void SetVisible(Control control, bool visible) override { visible_[control] = visible; }
  float ProgressValue() const override { return progress_; }
  void SetProgressValue(float value) override { progress_ = value; }

 private:
  // A control not yet touched is enabled, visible, unselected, empty and
  // in its normal colour, as the window builds it.
  std::map<Control, std::string> text_;
  std::map<Control, bool> enabled_;
  std::map<Control, BoxColour> colour_;
  std::map<Control, bool> selected_;
  std::map<Control, bool> visible_;
  float progress_ = 0;
};

}  // namespace dorvax
