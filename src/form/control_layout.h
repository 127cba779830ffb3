#pragma once
// The window's controls as every front end builds them: where each sits,
// what it says and in which font size, in the order the Tab key visits
// them, with the tool tips and the window's title. Positions are in twips
// (1/1440 inch); the controls inside the frame fraNEW are relative to it.
#include <array>

#include "window/controls.h"

namespace dorvax {

enum class ControlKind { kFrame, kOption, kDriveList, kButton, kTextBox, kLabel, kProgressBar };

struct ControlLayout {
  Control control;
  ControlKind kind;
  const char* caption;           // UTF-8; empty for none
  double fontPoints;             // 0 for the default font or none
  int left, top, width, height;  // twips
  bool insideFrame;              // placed inside fraNEW
};

// Every control, in tab order (fraNEW first, lblForm last).
extern const std::array<ControlLayout, 18> kControlLayout;
const ControlLayout& LayoutOf(Control control);

// Controls that can hold the keyboard focus (frames, labels and the
// progress bar take none).
bool TakesFocus(ControlKind kind);

// The client area of the window, in twips.
inline constexpr int kClientWidthTwips = 10290;
inline constexpr int kClientHeightTwips = 3285;
// The font of the captions; a front end without it takes an equivalent
// Japanese fixed-pitch font. The drive list uses the default size.
inline constexpr const char* kFontName = "ＭＳ ゴシック";
inline constexpr double kDefaultFontPoints = 9;

// Twips to pixels: 15 twips are one pixel at 96 dots per inch; `scale` is
// the screen's logical dots per inch divided by 96.
int TwipsToPixels(int twips, double scale);

// The tool tips set when the window loads.
struct ToolTip {
  Control control;
  const char* text;
};
extern const std::array<ToolTip, 12> kToolTips;

inline constexpr const char* kVersionText = "Ver.1.00 2007/01/26";
inline constexpr const char* kWindowTitle = "Dorvax年報 新版→旧版 データ変換(時別値)";

// The light grey of a disabled source box or drive list and the white of an
// enabled one, as red, green and blue.
struct Rgb {
  int red, green, blue;
};
inline constexpr Rgb kLightGrey{224, 224, 224};
inline constexpr Rgb kWhite{255, 255, 255};

}  // namespace dorvax
