#pragma once
// A modal message box as the steps ask for it: text, title, icon, buttons and
// the default button; the front end returns the button pressed.
#include <string>

namespace dorvax {

enum class MsgIcon { kNone, kQuestion, kExclamation, kInformation, kCritical };
enum class MsgButtons { kOk, kOkCancel, kYesNo };
enum class MsgAnswer { kOk, kCancel, kYes, kNo };

struct MessageBoxRequest {
  std::string text;
  std::string title;
  MsgIcon icon = MsgIcon::kNone;
  MsgButtons buttons = MsgButtons::kOk;
  MsgAnswer defaultAnswer = MsgAnswer::kOk;
};

// The boxes of the converter come in a few fixed shapes.
MessageBoxRequest OkBox(std::string text, std::string title, MsgIcon icon);
MessageBoxRequest YesNoBox(std::string text, std::string title = "確認", MsgIcon icon = MsgIcon::kQuestion);
MessageBoxRequest OkCancelBox(std::string text, std::string title, MsgIcon icon);

const char* IconName(MsgIcon icon);
const char* AnswerName(MsgAnswer answer);

}  // namespace dorvax
