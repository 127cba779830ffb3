#pragma once
// Where every control of the main window sits, what it says and in which
// font size, in the order the Tab key visits them. Positions are in twips
// (1/1440 inch); the controls inside the frame fraNEW are relative to it.
#include <array>

#include <QRect>

#include "form/form_window.h"

namespace dorvax::ui {

enum class ControlKind { kFrame, kOption, kDriveList, kButton, kTextBox, kLabel, kProgressBar };

struct ControlLayout {
  Control control;
  ControlKind kind;
  const char* caption;  // UTF-8; empty for none
  double fontPoints;    // 0 for the default font or none
  int left, top, width, height;  // twips
  bool insideFrame;     // placed inside fraNEW
};

// Every control, in tab order (fraNEW first, lblForm last).
extern const std::array<ControlLayout, 18> kControlLayout;

// The client area of the window, in twips.
inline constexpr int kClientWidthTwips = 10290;
inline constexpr int kClientHeightTwips = 3285;

// Twips to pixels: 15 twips are one pixel at 96 dots per inch; `scale` is
// the screen's logical dots per inch divided by 96.
int TwipsToPixels(int twips, double scale);
QRect PixelRect(const ControlLayout& layout, double scale);

const ControlLayout& LayoutOf(Control control);

}  // namespace dorvax::ui
