#include "window/check_failure.h"

#include "window/messages.h"

namespace dorvax {

namespace {
const char* const kAccessDenied =
    "旧版フォルダの出力先に、書き込みできないドライブ等を指定しています。\r\n"
    "または、旧版フォルダを開いているため、フォルダを完全に削除できません。";
}  // namespace

void ShowCheckFailure(StepWindow& frm, const platform::RunError& error) {
  frm.SetBusyCursor(false);
  if (error.number() == platform::kErrPermissionDenied) {
    frm.MsgBox(OkBox(kAccessDenied, msg::kTitleError, MsgIcon::kCritical));
    frm.FocusFolderBox(1);
  } else {
    frm.MsgBox(OkBox(msg::GenericError(error.number(), error.description()), msg::kTitleStopped, MsgIcon::kCritical));
  }
}

}  // namespace dorvax
