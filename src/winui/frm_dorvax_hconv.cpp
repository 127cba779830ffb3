#include "winui/frm_dorvax_hconv.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <string>
#include <vector>

#include "form/control_layout.h"
#include "platform/native_path.h"
#include "winui/fld_module.h"
#include "winui/message_box_win.h"

namespace dorvax::winui {

namespace {

constexpr wchar_t kWindowClass[] = L"frmDorvax_hConv";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// The icon resource of the program (dorvax-hconv.rc).
constexpr int kIconResource = 1;
// Control ids start above IDOK and IDCANCEL, which the keyboard handling
// sends for Enter and Escape.
constexpr int kFirstControlId = 100;
// Rows the drive list shows when it drops down.
constexpr int kDroppedRows = 8;

COLORREF Colour(const Rgb& rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

HICON LoadProgramIcon(HINSTANCE instance, int metricX, int metricY) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, GetSystemMetrics(metricX),
                                       GetSystemMetrics(metricY), LR_DEFAULTCOLOR));
}

}  // namespace

frmDorvax_hConv::frmDorvax_hConv(std::unique_ptr<platform::Drives> drives) : drives_(std::move(drives)) {}

frmDorvax_hConv::~frmDorvax_hConv() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (whiteBrush_) DeleteObject(whiteBrush_);
  if (greyBrush_) DeleteObject(greyBrush_);
  if (bigIcon_) DestroyIcon(bigIcon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

// ---------------------------------------------------------------------------
// Building the window

bool frmDorvax_hConv::Create(HINSTANCE instance, int showCommand) {
  bigIcon_ = LoadProgramIcon(instance, SM_CXICON, SM_CYICON);
  smallIcon_ = LoadProgramIcon(instance, SM_CXSMICON, SM_CYSMICON);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = bigIcon_;
  windowClass.hIconSm = smallIcon_;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  if (!RegisterClassExW(&windowClass)) return false;

  dpi_ = ScreenDpi();
  fonts_ = std::make_unique<FontSet>(kFontName, dpi_);
  whiteBrush_ = CreateSolidBrush(Colour(kWhite));
  greyBrush_ = CreateSolidBrush(Colour(kLightGrey));

  // A fixed frame around the client area of the layout, in the middle of
  // the screen's work area.
  const double scale = dpi_ / 96.0;
  RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, scale), TwipsToPixels(kClientHeightTwips, scale)};
  AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int left = work.left + ((work.right - work.left) - width) / 2;
  const int top = work.top + ((work.bottom - work.top) - height) / 2;

  CreateWindowExW(0, kWindowClass, platform::ToWide(kWindowTitle).c_str(), kWindowStyle, left > 0 ? left : 0,
                  top > 0 ? top : 0, width, height, nullptr, nullptr, instance, this);
  if (!hwnd_) return false;

  BuildControls();
  PlaceControls();
  FillDriveList();
  SetToolTips();
  form_.Form_Load();
  ShowWindow(hwnd_, showCommand);
  FocusFirstControl();
  UpdateWindow(hwnd_);
  return true;
}

void frmDorvax_hConv::BuildControls() {
  // Created in tab order: the keyboard's Tab visits the children of a window
  // in the order they were created. lblForm comes last and so lies behind
  // every other control; it leaves out the places its siblings cover.
  for (const ControlLayout& layout : kControlLayout) {
    const int id = IdOf(layout.control);
    const std::string caption = layout.caption;
    switch (layout.control) {
      case Control::fraNEW: fraNEW_.Create(hwnd_, id, caption); break;
      case Control::optNew0: optNew_[0].Create(hwnd_, id, caption); break;
      case Control::optNew1: optNew_[1].Create(hwnd_, id, caption); break;
      case Control::drvNew:
        drvNew_.Create(hwnd_, id);
        // The drive list is drawn in the classic way, which shows the grey
        // and white backgrounds the window gives it.
        SetWindowTheme(drvNew_.hwnd(), L"", L"");
        break;
      case Control::cmdNew0: cmdNew_[0].Create(hwnd_, id, caption); break;
      case Control::cmdNew1: cmdNew_[1].Create(hwnd_, id, caption); break;
      case Control::txtFolder0: txtFolder_[0].Create(hwnd_, id); break;
      case Control::txtFolder1: txtFolder_[1].Create(hwnd_, id); break;
      case Control::lblMain: lblMain_.Create(hwnd_, id, caption, Align::kLeft); break;
      case Control::cmdOld0: cmdOld_[0].Create(hwnd_, id, caption); break;
      case Control::cmdOld1: cmdOld_[1].Create(hwnd_, id, caption); break;
      case Control::lblConv0: lblConv_[0].Create(hwnd_, id, caption, Align::kRight); break;
      case Control::ProgressBar1: ProgressBar1_.Create(hwnd_, id); break;
      case Control::lblConv1: lblConv_[1].Create(hwnd_, id, caption, Align::kLeft); break;
      case Control::cmdMain0: cmdMain_[0].Create(hwnd_, id, caption); break;
      case Control::cmdMain1: cmdMain_[1].Create(hwnd_, id, caption); break;
      case Control::lblMes: lblMes_.Create(hwnd_, id, caption, Align::kCentre); break;
      case Control::lblForm: lblForm_.Create(hwnd_, id, caption, Align::kLeft, true); break;
    }
  }
}

void frmDorvax_hConv::PlaceControls() {
  const double scale = dpi_ / 96.0;
  const ControlLayout& frame = LayoutOf(Control::fraNEW);
  for (const ControlLayout& layout : kControlLayout) {
    const int offsetLeft = layout.insideFrame ? frame.left : 0;
    const int offsetTop = layout.insideFrame ? frame.top : 0;
    int width = layout.width;
    // An option button reaches under the drive list and the "フォルダ指定"
    // button beside it; a Windows option button paints its whole place, so
    // it ends where they begin.
    if (layout.kind == ControlKind::kOption) width = std::min(width, LayoutOf(Control::drvNew).left - layout.left);
    PixelRect rect{TwipsToPixels(layout.left + offsetLeft, scale), TwipsToPixels(layout.top + offsetTop, scale),
                   TwipsToPixels(width, scale), TwipsToPixels(layout.height, scale)};
    ChildControl& control = Of(layout.control);
    if (layout.fontPoints > 0)
      control.SetFont(fonts_->Get(layout.fontPoints));
    else if (layout.kind == ControlKind::kDriveList)
      control.SetFont(fonts_->Get(kDefaultFontPoints));
    if (layout.kind == ControlKind::kDriveList) {
      // A drop-down's height includes its dropped list; the closed field
      // keeps the layout's height.
      const int fieldHeight = rect.height;
      rect.height = fieldHeight * (kDroppedRows + 1);
      control.Place(rect);
      drvNew_.SetFieldHeight(fieldHeight);
      continue;
    }
    control.Place(rect);
  }
}

void frmDorvax_hConv::FillDriveList() {
  const std::vector<platform::DriveEntry> entries = drives_->List();
  const platform::DriveEntry current = drives_->Current();
  std::vector<std::string> texts;
  int currentRow = -1;
  for (const platform::DriveEntry& entry : entries) {
    if (entry.root == current.root) currentRow = static_cast<int>(texts.size());
    texts.push_back(entry.DisplayText());
  }
  if (currentRow < 0) {  // the current drive is always in the list
    texts.insert(texts.begin(), current.DisplayText());
    currentRow = 0;
  }
  drvNew_.SetEntries(texts, currentRow);
}

void frmDorvax_hConv::SetToolTips() {
  toolTips_.Create(hwnd_);
  toolTips_.SetFont(fonts_->Get(kDefaultFontPoints));
  for (const ToolTip& tip : kToolTips) toolTips_.Add(Of(tip.control), tip.text);
}

void frmDorvax_hConv::FocusFirstControl() {
  for (const ControlLayout& layout : kControlLayout) {
    if (TakesFocus(layout.kind) && IsEnabled(layout.control)) {
      SetFocus(layout.control);
      return;
    }
  }
}

// ---------------------------------------------------------------------------
// Messages

bool frmDorvax_hConv::TranslateDialogKeys(MSG& msg) { return hwnd_ && IsDialogMessageW(hwnd_, &msg); }

LRESULT CALLBACK frmDorvax_hConv::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* window = static_cast<frmDorvax_hConv*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    window->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  auto* window = reinterpret_cast<frmDorvax_hConv*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!window) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    window->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return window->HandleMessage(message, wParam, lParam);
}

LRESULT frmDorvax_hConv::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
      if (HBRUSH brush = ColourBrush(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
        return reinterpret_cast<LRESULT>(brush);
      break;
    case WM_SETCURSOR:
      if (pointerBusy_) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_ACTIVATE:
      // The window keeps its focused control across a message box, the
      // folder dialog or another program's window.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) focusBeforeDeactivation_ = focus;
      } else if (focusBeforeDeactivation_ && IsWindowEnabled(focusBeforeDeactivation_)) {
        ::SetFocus(focusBeforeDeactivation_);
        return 0;
      }
      break;
    case WM_CLOSE:
      // The close always goes ahead: the form shows its notice where a run
      // ends at once, and a run under way unwinds at its next chance to
      // process messages.
      form_.CloseRequested();
      if (hwnd_) DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void frmDorvax_hConv::OnCommand(int id, int notification) {
  if (id == IDOK) {
    // Enter: a focused button is pressed; elsewhere Enter does nothing.
    HWND focus = GetFocus();
    for (const Button* button : {&cmdNew_[0], &cmdNew_[1], &cmdOld_[0], &cmdOld_[1], &cmdMain_[0], &cmdMain_[1]})
      if (focus == button->hwnd()) SendMessageW(focus, BM_CLICK, 0, 0);
    return;
  }
  if (id < kFirstControlId) return;
  const auto control = static_cast<Control>(id - kFirstControlId);
  if (control == Control::drvNew) {
    if (notification == CBN_SELCHANGE && !drvNew_.CurrentText().empty()) form_.drvNew_Change();
    return;
  }
  if (notification != BN_CLICKED) return;
  switch (control) {
    case Control::optNew0:
    case Control::optNew1: {
      const int index = control == Control::optNew0 ? 0 : 1;
      optNew_[index].SetSelected(true);
      optNew_[1 - index].SetSelected(false);
      form_.optNew_Click(static_cast<int16_t>(index));
      break;
    }
    case Control::cmdNew0: form_.cmdNew_Click(0); break;
    case Control::cmdNew1: form_.cmdNew_Click(1); break;
    case Control::cmdOld0: form_.cmdOld_Click(0); break;
    case Control::cmdOld1: form_.cmdOld_Click(1); break;
    case Control::cmdMain0: form_.cmdMain_Click(0); break;
    case Control::cmdMain1: form_.cmdMain_Click(1); break;
    default: break;
  }
}

HBRUSH frmDorvax_hConv::ColourBrush(HWND control, HDC dc) {
  BoxColour colour = BoxColour::kNormal;
  if (control == txtFolder_[0].hwnd())
    colour = Background(Control::txtFolder0);
  else if (control == drvNew_.hwnd() || control == drvNew_.DroppedList())
    colour = Background(Control::drvNew);
  if (colour == BoxColour::kNormal) return nullptr;
  SetBkColor(dc, Colour(colour == BoxColour::kWhite ? kWhite : kLightGrey));
  return colour == BoxColour::kWhite ? whiteBrush_ : greyBrush_;
}

// ---------------------------------------------------------------------------
// Control primitives

int frmDorvax_hConv::IdOf(Control control) { return kFirstControlId + static_cast<int>(control); }

const ChildControl& frmDorvax_hConv::Of(Control control) const {
  switch (control) {
    case Control::fraNEW: return fraNEW_;
    case Control::optNew0: return optNew_[0];
    case Control::drvNew: return drvNew_;
    case Control::optNew1: return optNew_[1];
    case Control::cmdNew0: return cmdNew_[0];
    case Control::txtFolder0: return txtFolder_[0];
    case Control::cmdNew1: return cmdNew_[1];
    case Control::lblMain: return lblMain_;
    case Control::txtFolder1: return txtFolder_[1];
    case Control::cmdOld0: return cmdOld_[0];
    case Control::cmdOld1: return cmdOld_[1];
    case Control::lblConv0: return lblConv_[0];
    case Control::ProgressBar1: return ProgressBar1_;
    case Control::lblConv1: return lblConv_[1];
    case Control::cmdMain0: return cmdMain_[0];
    case Control::cmdMain1: return cmdMain_[1];
    case Control::lblMes: return lblMes_;
    case Control::lblForm: break;
  }
  return lblForm_;
}

ChildControl& frmDorvax_hConv::Of(Control control) {
  return const_cast<ChildControl&>(static_cast<const frmDorvax_hConv*>(this)->Of(control));
}

std::string frmDorvax_hConv::Text(Control control) const {
  if (control == Control::drvNew) return drvNew_.CurrentText();
  return Of(control).Text();
}

void frmDorvax_hConv::SetText(Control control, const std::string& text) { Of(control).SetText(text); }

bool frmDorvax_hConv::IsEnabled(Control control) const { return Of(control).IsEnabled(); }

void frmDorvax_hConv::SetEnabled(Control control, bool enabled) {
  ChildControl& child = Of(control);
  // A disabled control takes no keys: the window keeps the keyboard, so that
  // Alt+F4 and the system menu still reach it during a run.
  if (!enabled && hwnd_ && GetFocus() == child.hwnd()) ::SetFocus(hwnd_);
  child.SetEnabled(enabled);
}

BoxColour frmDorvax_hConv::Background(Control control) const {
  auto found = colours_.find(control);
  return found == colours_.end() ? BoxColour::kNormal : found->second;
}

void frmDorvax_hConv::SetBackground(Control control, BoxColour colour) {
  colours_[control] = colour;
  InvalidateRect(Of(control).hwnd(), nullptr, TRUE);
  if (control == Control::drvNew)
    if (HWND list = drvNew_.DroppedList()) InvalidateRect(list, nullptr, TRUE);
}

bool frmDorvax_hConv::IsSelected(Control option) const {
  return optNew_[option == Control::optNew1 ? 1 : 0].IsSelected();
}

void frmDorvax_hConv::SetSelected(Control option, bool selected) {
  optNew_[option == Control::optNew1 ? 1 : 0].SetSelected(selected);
}

bool frmDorvax_hConv::IsVisible(Control control) const { return Of(control).IsVisible(); }

void frmDorvax_hConv::SetVisible(Control control, bool visible) { Of(control).SetVisible(visible); }

void frmDorvax_hConv::SetProgressValue(float value) {
  progressValue_ = value;
  ProgressBar1_.SetValue(static_cast<int>(value));
}

void frmDorvax_hConv::SetFocus(Control control) { Of(control).Focus(); }

void frmDorvax_hConv::SetPointer(bool busy) {
  pointerBusy_ = busy;
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void frmDorvax_hConv::ProcessEvents() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The program's end belongs to the main loop: leave it there.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (!TranslateDialogKeys(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

void frmDorvax_hConv::Repaint() {
  // Draws what changed (a new status text, the bar) now, the controls
  // included, without handling any input.
  if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

MsgAnswer frmDorvax_hConv::MsgBox(const MessageBoxRequest& box) { return ShowMessageBox(hwnd_, box); }

std::string frmDorvax_hConv::SelectFolder(const std::string& title) { return fld_Module::SelectFolder(hwnd_, title); }

void frmDorvax_hConv::Unload() {
  // WM_DESTROY posts the quit message that ends the main loop.
  if (hwnd_) DestroyWindow(hwnd_);
}

}  // namespace dorvax::winui
