#pragma once
// The font of the window's controls: "ＭＳ ゴシック" where the machine has
// it, otherwise an installed Japanese fixed-pitch font.
#include <QFont>
#include <QString>

namespace dorvax::ui {

// The family the controls use.
QString JapaneseFixedFamily();
// That family in the given size, normal weight.
QFont JapaneseFont(double points);

}  // namespace dorvax::ui
