#include "winui/message_box_win.h"

#include "platform/native_path.h"

namespace dorvax::winui {

UINT MessageBoxStyle(const MessageBoxRequest& box) {
  UINT style = MB_APPLMODAL;
  switch (box.icon) {
    case MsgIcon::kQuestion: style |= MB_ICONQUESTION; break;
    case MsgIcon::kExclamation: style |= MB_ICONEXCLAMATION; break;
    case MsgIcon::kInformation: style |= MB_ICONINFORMATION; break;
    case MsgIcon::kCritical: style |= MB_ICONSTOP; break;
    case MsgIcon::kNone: break;
  }
  switch (box.buttons) {
    case MsgButtons::kOk: style |= MB_OK; break;
    case MsgButtons::kOkCancel:
      style |= MB_OKCANCEL | (box.defaultAnswer == MsgAnswer::kCancel ? MB_DEFBUTTON2 : MB_DEFBUTTON1);
      break;
    case MsgButtons::kYesNo:
      style |= MB_YESNO | (box.defaultAnswer == MsgAnswer::kNo ? MB_DEFBUTTON2 : MB_DEFBUTTON1);
      break;
  }
  return style;
}

MsgAnswer ShowMessageBox(HWND owner, const MessageBoxRequest& box) {
  // The texts write their line breaks as CR LF, as the box wants them.
  const int pressed =
      MessageBoxW(owner, platform::ToWide(box.text).c_str(), platform::ToWide(box.title).c_str(), MessageBoxStyle(box));
  switch (pressed) {
    case IDYES: return MsgAnswer::kYes;
    case IDNO: return MsgAnswer::kNo;
    case IDCANCEL: return MsgAnswer::kCancel;
    default: break;
  }
  // An OK box closed by its close box or Escape answers OK; a box that could
  // not be shown at all (0) takes the button that backs out.
  if (pressed == 0)
    return box.buttons == MsgButtons::kYesNo      ? MsgAnswer::kNo
           : box.buttons == MsgButtons::kOkCancel ? MsgAnswer::kCancel
                                                  : MsgAnswer::kOk;
  return MsgAnswer::kOk;
}

}  // namespace dorvax::winui
