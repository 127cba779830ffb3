#include "ui/japanese_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace dorvax::ui {

namespace {

// In order of preference: the font the layout was made for (under its
// Japanese and its English name), then Japanese fixed-pitch fonts that
// Linux distributions ship.
const char* const kCandidates[] = {
    "ＭＳ ゴシック", "MS Gothic", "IPAGothic", "IPAゴシック", "VL Gothic", "Noto Sans Mono CJK JP", "TakaoGothic",
};

QString ChooseFamily() {
  const QStringList installed = QFontDatabase::families(QFontDatabase::Japanese);
  for (const char* candidate : kCandidates) {
    QString family = QString::fromUtf8(candidate);
    if (installed.contains(family, Qt::CaseInsensitive)) return family;
  }
  // No known name: the first fixed-pitch family that writes Japanese.
  for (const QString& family : installed)
    if (QFontDatabase::isFixedPitch(family)) return family;
  return installed.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::FixedFont).family() : installed.first();
}

}  // namespace

QString JapaneseFixedFamily() {
  static const QString family = ChooseFamily();
  return family;
}

QFont JapaneseFont(double points) {
  QFont font(JapaneseFixedFamily());
  font.setPointSizeF(points);
  font.setWeight(QFont::Normal);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace dorvax::ui
