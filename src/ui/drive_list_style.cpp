#include "ui/drive_list_style.h"

#include <QApplication>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>

namespace dorvax::ui {

DriveListStyle::DriveListStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

void DriveListStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                        const QWidget* widget) const {
  const auto* list = qstyleoption_cast<const QStyleOptionComboBox*>(option);
  if (control != CC_ComboBox || !list || list->editable) {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    return;
  }
  // The face: the palette's base colour, with the frame of a text box (which
  // also shows the keyboard focus).
  QStyleOptionFrame field;
  field.QStyleOption::operator=(*list);
  field.lineWidth = proxy()->pixelMetric(PM_DefaultFrameWidth, option, widget);
  field.midLineWidth = 0;
  field.features = QStyleOptionFrame::None;
  proxy()->drawPrimitive(PE_PanelLineEdit, &field, painter, nullptr);

  // The arrow, in the text colour of the list's state (grey when disabled).
  QStyleOption arrow;
  arrow.QStyleOption::operator=(*list);
  arrow.rect = proxy()->subControlRect(CC_ComboBox, list, SC_ComboBoxArrow, widget);
  arrow.palette.setColor(QPalette::WindowText, list->palette.color(QPalette::Text));
  proxy()->drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
  // The text of the current entry is drawn by the list itself, on top.
}

}  // namespace dorvax::ui
