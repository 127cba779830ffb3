#include "ui/control_layout.h"

#include <cmath>

namespace dorvax::ui {

using K = ControlKind;

const std::array<ControlLayout, 18> kControlLayout = {{
    {Control::fraNEW, K::kFrame, "【新版フォルダ（コピー元）】", 12, 120, 120, 10035, 1575, false},
    {Control::optNew0, K::kOption, "CD-ROM(2枚)", 12, 240, 360, 2055, 375, true},
    {Control::drvNew, K::kDriveList, "", 0, 2100, 360, 2115, 300, true},
    {Control::optNew1, K::kOption, "CD-ROM以外", 12, 240, 720, 2055, 375, true},
    {Control::cmdNew0, K::kButton, "フォルダ指定", 9, 2100, 720, 1395, 315, true},
    {Control::txtFolder0, K::kTextBox, "", 12, 180, 1080, 9735, 315, true},
    {Control::cmdNew1, K::kButton, "指定クリア", 9, 4380, 540, 1395, 315, true},
    {Control::lblMain, K::kLabel, "【旧版フォルダ（コピー先）】", 12, 180, 1860, 3435, 315, false},
    {Control::txtFolder1, K::kTextBox, "", 12, 300, 2160, 9735, 315, false},
    {Control::cmdOld0, K::kButton, "フォルダ指定", 9, 3780, 1800, 1395, 315, false},
    {Control::cmdOld1, K::kButton, "指定クリア", 9, 5280, 1800, 1395, 315, false},
    {Control::lblConv0, K::kLabel, "処理状況：", 9, 660, 2700, 1035, 255, false},
    {Control::ProgressBar1, K::kProgressBar, "", 0, 1740, 2670, 4095, 255, false},
    {Control::lblConv1, K::kLabel, "", 9, 10200, 3120, 120, 120, false},
    {Control::cmdMain0, K::kButton, "変換実行", 12, 7260, 2700, 1335, 435, false},
    {Control::cmdMain1, K::kButton, "終了", 12, 8700, 2700, 1335, 435, false},
    {Control::lblMes, K::kLabel, "", 8.25, 660, 2955, 6195, 255, false},
    {Control::lblForm, K::kLabel, "", 0, 120, 120, 9975, 3015, false},
}};

int TwipsToPixels(int twips, double scale) { return static_cast<int>(std::lround(twips / 15.0 * scale)); }

QRect PixelRect(const ControlLayout& layout, double scale) {
  return QRect(TwipsToPixels(layout.left, scale), TwipsToPixels(layout.top, scale),
               TwipsToPixels(layout.width, scale), TwipsToPixels(layout.height, scale));
}

const ControlLayout& LayoutOf(Control control) {
  for (const ControlLayout& layout : kControlLayout)
    if (layout.control == control) return layout;
  return kControlLayout.back();
}

}  // namespace dorvax::ui
