#include "form/control_state.h"

namespace dorvax {

namespace {
template <typename Value>
Value Lookup(const std::map<Control, Value>& values, Control control, Value otherwise) {
  auto it = values.find(control);
  return it == values.end() ? otherwise : it->second;
}
}  // namespace

std::string ControlStateWindow::Text(Control control) const { return Lookup(text_, control, std::string()); }

bool ControlStateWindow::IsEnabled(Control control) const { return Lookup(enabled_, control, true); }

BoxColour ControlStateWindow::Background(Control control) const {
  return Lookup(colour_, control, BoxColour::kNormal);
}

bool ControlStateWindow::IsSelected(Control option) const { return Lookup(selected_, option, false); }

bool ControlStateWindow::IsVisible(Control control) const { return Lookup(visible_, control, true); }

}  // namespace dorvax
