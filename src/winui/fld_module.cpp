#include "winui/fld_module.h"

#include <shlobj.h>

#include <vector>

#include "platform/native_path.h"

namespace dorvax::winui::fld_Module {

namespace {

// The longest path the shell gives back (the long-path limit).
constexpr DWORD kLongestPath = 32768;

}  // namespace

std::string SelectFolder(HWND owner, const std::string& title) {
  std::wstring wideTitle = platform::ToWide(title);
  // The dialog writes the chosen item's display name here; the program
  // does not use it.
  wchar_t displayName[MAX_PATH] = {};
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;  // the desktop, the top of the shell's namespace
  info.pszDisplayName = displayName;
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = nullptr;
  info.lParam = 0;
  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
  if (!item) return {};
  std::vector<wchar_t> path(kLongestPath, L'\0');
  const BOOL found = SHGetPathFromIDListEx(item, path.data(), kLongestPath, GPFIDL_DEFAULT);
  CoTaskMemFree(item);
  if (!found) return {};
  path.back() = L'\0';
  return platform::FromWide(path.data());
}

}  // namespace dorvax::winui::fld_Module
