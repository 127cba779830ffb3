#include "form/control_state.h"

namespace dorvax {

namespace {
template <typename Value>
Value Lookup(const std::map<Control, Value>& values, Control control, Value otherwise) {
  auto it = values.find(control);
  return it == values.end() ? otherwise : it->second;
}
}  // namespace

std::string ControlState::Text(Control control) const { return Lookup(text_, control, std::string()); }

bool ControlState::IsEnabled(Control control) const { return Lookup(enabled_, control, true); }

BoxColour ControlState::Background(Control control) const { return Lookup(colour_, control, BoxColour::kNormal); }

bool ControlState::IsSelected(Control option) const { return Lookup(selected_, option, false); }

bool ControlState::IsVisible(Control control) const { return Lookup(visible_, control, true); }

}  // namespace dorvax
