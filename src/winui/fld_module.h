#pragma once
// fld_Module: the shell's folder dialog.
#include <windows.h>

#include <string>

namespace dorvax::winui::fld_Module {

// Shows the shell's folder dialog owned by `owner`, starting at the desktop,
// with `title` above the tree; only file-system folders can be confirmed.
// Returns the chosen folder's path, or empty text when the user cancelled.
std::string SelectFolder(HWND owner, const std::string& title);

}  // namespace dorvax::winui::fld_Module
