// dorvax-hconv: the converter's window on Windows. It reads no command line.
#include <windows.h>
// (after windows.h, which they need)
#include <commctrl.h>
#include <objbase.h>

#include "winui/frm_dorvax_hconv.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  // The shell's folder dialog wants COM in a single-threaded apartment.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES;
  InitCommonControlsEx(&controls);

  int exitCode = 1;
  {
    dorvax::winui::frmDorvax_hConv window;
    if (window.Create(instance, showCommand)) {
      MSG msg;
      BOOL got;
      while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        if (!window.TranslateDialogKeys(msg)) {
          TranslateMessage(&msg);
          DispatchMessageW(&msg);
        }
      }
      exitCode = got == 0 ? static_cast<int>(msg.wParam) : 1;
    }
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return exitCode;
}
