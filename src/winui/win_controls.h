#pragma once
// Small wrappers around the Windows controls the window is built from: one
// class per kind with a Create() and the few operations the window needs, so
// that the window reads as a form and not as message plumbing. Every control
// is a child of the main window; texts are UTF-8 inside the program and wide
// at the system call.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace dorvax::winui {

// A control's place in pixels of its parent's client area.
struct PixelRect {
  int left, top, width, height;
};

// What every control has: its window handle, text, enabled and visible
// state, font and place.
class ChildControl {
 public:
  HWND hwnd() const { return hwnd_; }
  int id() const { return id_; }

  std::string Text() const;
  void SetText(const std::string& text);
  bool IsEnabled() const;
  void SetEnabled(bool enabled);
  // The control's own visibility, whether or not the window is shown yet.
  bool IsVisible() const;
  void SetVisible(bool visible);
  void SetFont(HFONT font);
  void Place(const PixelRect& rect);
  void Focus();

 protected:
  void CreateChild(HWND parent, int id, const wchar_t* windowClass, DWORD style, DWORD exStyle,
                   const std::string& caption);

  HWND hwnd_ = nullptr;
  int id_ = 0;
};

// A push button ("フォルダ指定", "変換実行", ...).
class Button : public ChildControl {
 public:
  void Create(HWND parent, int id, const std::string& caption);
};

// An option button. It is checked and unchecked by the program only, so
// that both members of the pair can be unselected at once.
class OptionButton : public ChildControl {
 public:
  void Create(HWND parent, int id, const std::string& caption);
  bool IsSelected() const;
  void SetSelected(bool selected);
};

// A one-line text box.
class EditBox : public ChildControl {
 public:
  void Create(HWND parent, int id);
};

// A drop-down list of fixed entries (the drive list).
class DropDownList : public ChildControl {
 public:
  void Create(HWND parent, int id);
  void SetEntries(const std::vector<std::string>& entries, int current);
  std::string CurrentText() const;
  // The list that drops down; it asks for its colours on its own.
  HWND DroppedList() const;
  // Height of the closed list's field, in pixels.
  void SetFieldHeight(int pixels);
};

enum class Align { kLeft, kCentre, kRight };

// A static text. It answers the mouse so that a tool tip can be shown on it.
class Label : public ChildControl {
 public:
  void Create(HWND parent, int id, const std::string& caption, Align align, bool clipSiblings = false);
};

// A frame with a caption around a group of controls.
class FrameBox : public ChildControl {
 public:
  void Create(HWND parent, int id, const std::string& caption);
};

// The common controls' progress bar, range 0 to 100.
class ProgressBar : public ChildControl {
 public:
  void Create(HWND parent, int id);
  void SetValue(int value);
};

// The tool tips of the window: one tip per control, shown when the pointer
// rests on the control.
class ToolTips {
 public:
  void Create(HWND owner);
  void Add(const ChildControl& control, const std::string& text);
  void SetFont(HFONT font);
  HWND hwnd() const { return hwnd_; }

 private:
  HWND owner_ = nullptr;
  HWND hwnd_ = nullptr;
};

// The fonts of the window, one per size in points, created on first use for
// the screen's dots per inch and deleted with the set.
class FontSet {
 public:
  FontSet(const std::string& face, int dpi) : face_(face), dpi_(dpi) {}
  ~FontSet();
  FontSet(const FontSet&) = delete;
  FontSet& operator=(const FontSet&) = delete;
  HFONT Get(double points);

 private:
  std::string face_;
  int dpi_;
  std::map<int, HFONT> fonts_;  // by hundredths of a point
};

}  // namespace dorvax::winui
