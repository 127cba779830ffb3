#include "winui/win_controls.h"

#include <commctrl.h>

#include <cmath>

#include "platform/native_path.h"

namespace dorvax::winui {

using platform::FromWide;
using platform::ToWide;

// ---------------------------------------------------------------------------
// ChildControl

void ChildControl::CreateChild(HWND parent, int id, const wchar_t* windowClass, DWORD style, DWORD exStyle,
                               const std::string& caption) {
  id_ = id;
  hwnd_ =
      CreateWindowExW(exStyle, windowClass, ToWide(caption).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

std::string ChildControl::Text() const {
  const int length = GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd_, text.data(), length + 1)));
  return FromWide(text);
}

void ChildControl::SetText(const std::string& text) { SetWindowTextW(hwnd_, ToWide(text).c_str()); }

bool ChildControl::IsEnabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void ChildControl::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

bool ChildControl::IsVisible() const { return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

void ChildControl::SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }

void ChildControl::SetFont(HFONT font) { SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

void ChildControl::Place(const PixelRect& rect) {
  SetWindowPos(hwnd_, nullptr, rect.left, rect.top, rect.width, rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ChildControl::Focus() { ::SetFocus(hwnd_); }

// ---------------------------------------------------------------------------
// The kinds

void Button::Create(HWND parent, int id, const std::string& caption) {
  CreateChild(parent, id, WC_BUTTONW, WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, caption);
}

void OptionButton::Create(HWND parent, int id, const std::string& caption) {
  CreateChild(parent, id, WC_BUTTONW, WS_TABSTOP | WS_GROUP | BS_RADIOBUTTON, 0, caption);
}

bool OptionButton::IsSelected() const { return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void OptionButton::SetSelected(bool selected) {
  SendMessageW(hwnd_, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
}

void EditBox::Create(HWND parent, int id) {
  CreateChild(parent, id, WC_EDITW, WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, "");
}

void DropDownList::Create(HWND parent, int id) {
  CreateChild(parent, id, WC_COMBOBOXW, WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, "");
}

void DropDownList::SetEntries(const std::vector<std::string>& entries, int current) {
  SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : entries)
    SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(entry).c_str()));
  SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(current), 0);
}

std::string DropDownList::CurrentText() const {
  const LRESULT row = SendMessageW(hwnd_, CB_GETCURSEL, 0, 0);
  if (row == CB_ERR) return {};
  const LRESULT length = SendMessageW(hwnd_, CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(hwnd_, CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return FromWide(text);
}

HWND DropDownList::DroppedList() const {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  return GetComboBoxInfo(hwnd_, &info) ? info.hwndList : nullptr;
}

void DropDownList::SetFieldHeight(int pixels) {
  // The field's height is set without its border, which is three pixels
  // above and below in the classic and themed looks alike.
  const int itemHeight = pixels - 6;
  if (itemHeight > 0) SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
}

void Label::Create(HWND parent, int id, const std::string& caption, Align align, bool clipSiblings) {
  const DWORD alignStyle = align == Align::kRight ? SS_RIGHT : align == Align::kCentre ? SS_CENTER : SS_LEFT;
  CreateChild(parent, id, WC_STATICW, alignStyle | SS_NOPREFIX | SS_NOTIFY | (clipSiblings ? WS_CLIPSIBLINGS : 0), 0,
              caption);
}

void FrameBox::Create(HWND parent, int id, const std::string& caption) {
  CreateChild(parent, id, WC_BUTTONW, BS_GROUPBOX, 0, caption);
}

void ProgressBar::Create(HWND parent, int id) {
  CreateChild(parent, id, PROGRESS_CLASSW, 0, 0, "");
  SendMessageW(hwnd_, PBM_SETRANGE32, 0, 100);
}

void ProgressBar::SetValue(int value) { SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(value), 0); }

// ---------------------------------------------------------------------------
// ToolTips

void ToolTips::Create(HWND owner) {
  owner_ = owner;
  hwnd_ =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void ToolTips::Add(const ChildControl& control, const std::string& text) {
  std::wstring wide = ToWide(text);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner_;
  tool.uId = reinterpret_cast<UINT_PTR>(control.hwnd());
  tool.lpszText = wide.data();
  SendMessageW(hwnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTips::SetFont(HFONT font) { SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE); }

// ---------------------------------------------------------------------------
// FontSet

FontSet::~FontSet() {
  for (auto& [size, font] : fonts_) DeleteObject(font);
}

HFONT FontSet::Get(double points) {
  const int key = static_cast<int>(std::lround(points * 100));
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second;
  // The Japanese character set makes the system take a Japanese font of its
  // own where the face is not installed.
  const int height = -static_cast<int>(std::lround(points * dpi_ / 72.0));
  HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, ToWide(face_).c_str());
  fonts_.emplace(key, font);
  return font;
}

}  // namespace dorvax::winui
