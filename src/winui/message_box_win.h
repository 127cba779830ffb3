#pragma once
// The program's message boxes as Windows shows them: MessageBoxW with the
// box's text, title, icon, buttons and default button, owned by the window.
#include <windows.h>

#include "window/message_box.h"

namespace dorvax::winui {

// The MessageBoxW style of a box: icon, buttons and default button.
UINT MessageBoxStyle(const MessageBoxRequest& box);

// Shows the box modal to `owner` and returns the button pressed.
MsgAnswer ShowMessageBox(HWND owner, const MessageBoxRequest& box);

}  // namespace dorvax::winui
