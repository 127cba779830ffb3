#pragma once
// The controls of the window by the names the program uses for them, in tab
// order. Steps name a control only to put the focus on it or to read whether
// it is enabled or shown.
namespace dorvax {

enum class Control {
  fraNEW,
  optNew0,
  drvNew,
  optNew1,
  cmdNew0,
  txtFolder0,
  cmdNew1,
  lblMain,
  txtFolder1,
  cmdOld0,
  cmdOld1,
  lblConv0,
  ProgressBar1,
  lblConv1,
  cmdMain0,
  cmdMain1,
  lblMes,
  lblForm,
};

// "optNew(0)", "drvNew", ...: the control's name as the program writes it.
const char* ControlName(Control control);

// The folder text box of a side: 0 the source, 1 the destination.
inline Control FolderBox(int side) { return side == 0 ? Control::txtFolder0 : Control::txtFolder1; }

}  // namespace dorvax
