#pragma once
// The look of the drive list drvNew: a flat field in the colour the program
// gives it (light grey when disabled, white when enabled), framed like the
// folder text boxes beside it, with the drop-down arrow at its right. The
// toolkit's own style draws a drop-down list as a shaded button in its
// button colour instead, whatever background the program sets.
#include <QProxyStyle>

namespace dorvax::ui {

class DriveListStyle : public QProxyStyle {
 public:
  // Draws like the application's style except for the drop-down list's face.
  DriveListStyle();

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                          const QWidget* widget = nullptr) const override;
};

}  // namespace dorvax::ui
