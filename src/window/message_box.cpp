#include "window/message_box.h"

namespace dorvax {

MessageBoxRequest OkBox(std::string text, std::string title, MsgIcon icon) {
  return {std::move(text), std::move(title), icon, MsgButtons::kOk, MsgAnswer::kOk};
}

MessageBoxRequest YesNoBox(std::string text, std::string title, MsgIcon icon) {
  return {std::move(text), std::move(title), icon, MsgButtons::kYesNo, MsgAnswer::kYes};
}

MessageBoxRequest OkCancelBox(std::string text, std::string title, MsgIcon icon) {
  return {std::move(text), std::move(title), icon, MsgButtons::kOkCancel, MsgAnswer::kOk};
}

const char* IconName(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::kQuestion: return "question";
    case MsgIcon::kExclamation: return "exclamation";
    case MsgIcon::kInformation: return "information";
    case MsgIcon::kCritical: return "critical";
    case MsgIcon::kNone: break;
  }
  return "none";
}

const char* AnswerName(MsgAnswer answer) {
  switch (answer) {
    case MsgAnswer::kOk: return "OK";
    case MsgAnswer::kCancel: return "Cancel";
    case MsgAnswer::kYes: return "Yes";
    case MsgAnswer::kNo: return "No";
  }
  return "?";
}

}  // namespace dorvax
