#include "window/controls.h"

namespace dorvax {

const char* ControlName(Control control) {
  switch (control) {
    case Control::fraNEW: return "fraNEW";
    case Control::optNew0: return "optNew(0)";
    case Control::drvNew: return "drvNew";
    case Control::optNew1: return "optNew(1)";
    case Control::cmdNew0: return "cmdNew(0)";
    case Control::txtFolder0: return "txtFolder(0)";
    case Control::cmdNew1: return "cmdNew(1)";
    case Control::lblMain: return "lblMain";
    case Control::txtFolder1: return "txtFolder(1)";
    case Control::cmdOld0: return "cmdOld(0)";
    case Control::cmdOld1: return "cmdOld(1)";
    case Control::lblConv0: return "lblConv(0)";
    case Control::ProgressBar1: return "ProgressBar1";
    case Control::lblConv1: return "lblConv(1)";
    case Control::cmdMain0: return "cmdMain(0)";
    case Control::cmdMain1: return "cmdMain(1)";
    case Control::lblMes: return "lblMes";
    case Control::lblForm: return "lblForm";
  }
  return "?";
}

}  // namespace dorvax
