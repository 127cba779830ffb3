#include "form/control_layout.h"

#include <cmath>

namespace dorvax {

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

const std::array<ToolTip, 12> kToolTips = {{
    {Control::cmdNew0, "新版の\"\\dorvax\"フォルダを含むフォルダを指定します。"},
    {Control::cmdNew1, "新版のフォルダ指定を解除します。"},
    {Control::cmdOld0, "旧版の\"\\dorvax\"フォルダを作成するフォルダを指定します。"},
    {Control::cmdOld1, "旧版のフォルダ指定を解除します。"},
    {Control::cmdMain0, "変換処理を実行します。"},
    {Control::cmdMain1, "変換プログラムを終了します。"},
    {Control::txtFolder0, "ここに直接フォルダのパスを入力する事もできます。"},
    {Control::txtFolder1, "ここに直接フォルダのパスを入力する事もできます。"},
    {Control::drvNew, "新版のCD-ROMを入れるドライブを指定します。"},
    {Control::optNew0, "新版のDorvax年報CD-ROMを用いる場合、こちらを選択します。"},
    {Control::optNew1,
     "ハードディスク等に新版データがある場合、こちらを選択します。新版CD-ROMを用いる場合には選択しないこと！"},
    {Control::lblConv1, kVersionText},
}};

const ControlLayout& LayoutOf(Control control) {
  for (const ControlLayout& layout : kControlLayout)
    if (layout.control == control) return layout;
  return kControlLayout.back();
}

bool TakesFocus(ControlKind kind) {
  return kind == K::kOption || kind == K::kDriveList || kind == K::kButton || kind == K::kTextBox;
}

int TwipsToPixels(int twips, double scale) { return static_cast<int>(std::lround(twips / 15.0 * scale)); }

}  // namespace dorvax
