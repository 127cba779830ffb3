#include "ui/frm_dorvax_hconv.h"

#include <new>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QThread>

#include "form/control_layout.h"
#include "ui/drive_list_style.h"
#include "ui/fld_module.h"
#include "ui/japanese_font.h"
#include "ui/message_box_qt.h"
#include "ui/window_icon.h"

namespace dorvax::ui {

namespace {

QString Utf8(const char* text) { return QString::fromUtf8(text); }

QColor ColourOf(BoxColour colour) {
  return colour == BoxColour::kWhite ? QColor(255, 255, 255) : QColor(224, 224, 224);
}

// The palette of a text box in its normal colour: the platform's, with the
// same background when the box is disabled (the text alone turns grey).
QPalette NormalBoxPalette() {
  QPalette palette = QApplication::palette("QLineEdit");
  palette.setColor(QPalette::Disabled, QPalette::Base, palette.color(QPalette::Active, QPalette::Base));
  return palette;
}

QString ToolTipOf(Control control) {
  for (const ToolTip& tip : kToolTips)
    if (tip.control == control) return Utf8(tip.text);
  return {};
}

QRect PixelRect(const ControlLayout& layout, double scale) {
  return QRect(TwipsToPixels(layout.left, scale), TwipsToPixels(layout.top, scale), TwipsToPixels(layout.width, scale),
               TwipsToPixels(layout.height, scale));
}

}  // namespace

frmDorvax_hConv::frmDorvax_hConv(std::unique_ptr<platform::Drives> drives, QWidget* parent)
    : QWidget(parent), drives_(std::move(drives)) {
  setWindowTitle(Utf8(kWindowTitle));
  setWindowIcon(WindowIcon());
  // A window of a fixed size: a title bar with the system menu, minimize and
  // close, and no maximize button.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  BuildControls();
  PlaceControls();
  FillDriveList();
  SetToolTips();
  SetTabOrder();
  ConnectEvents();
  form_.Form_Load();
}

frmDorvax_hConv::~frmDorvax_hConv() {
  if (pointerBusy_) QApplication::restoreOverrideCursor();
}

// ---------------------------------------------------------------------------
// Building the window

void frmDorvax_hConv::BuildControls() {
  // Created first so that every other control lies above it.
  lblForm_ = new QLabel(this);
  fraNEW_ = new QGroupBox(this);
  optNew_[0] = new QRadioButton(fraNEW_);
  drvNew_ = new QComboBox(fraNEW_);
  optNew_[1] = new QRadioButton(fraNEW_);
  cmdNew_[0] = new QPushButton(fraNEW_);
  txtFolder_[0] = new QLineEdit(fraNEW_);
  cmdNew_[1] = new QPushButton(fraNEW_);
  lblMain_ = new QLabel(this);
  txtFolder_[1] = new QLineEdit(this);
  cmdOld_[0] = new QPushButton(this);
  cmdOld_[1] = new QPushButton(this);
  lblConv_[0] = new QLabel(this);
  ProgressBar1_ = new QProgressBar(this);
  lblConv_[1] = new QLabel(this);
  cmdMain_[0] = new QPushButton(this);
  cmdMain_[1] = new QPushButton(this);
  lblMes_ = new QLabel(this);
  lblForm_->lower();

  widgets_ = {
      {Control::fraNEW, fraNEW_},
      {Control::optNew0, optNew_[0]},
      {Control::drvNew, drvNew_},
      {Control::optNew1, optNew_[1]},
      {Control::cmdNew0, cmdNew_[0]},
      {Control::txtFolder0, txtFolder_[0]},
      {Control::cmdNew1, cmdNew_[1]},
      {Control::lblMain, lblMain_},
      {Control::txtFolder1, txtFolder_[1]},
      {Control::cmdOld0, cmdOld_[0]},
      {Control::cmdOld1, cmdOld_[1]},
      {Control::lblConv0, lblConv_[0]},
      {Control::ProgressBar1, ProgressBar1_},
      {Control::lblConv1, lblConv_[1]},
      {Control::cmdMain0, cmdMain_[0]},
      {Control::cmdMain1, cmdMain_[1]},
      {Control::lblMes, lblMes_},
      {Control::lblForm, lblForm_},
  };
  for (const auto& [control, widget] : widgets_) widget->setObjectName(QString::fromLatin1(ControlName(control)));

  lblConv_[0]->setAlignment(Qt::AlignRight | Qt::AlignTop);
  lblMes_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  lblMain_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  ProgressBar1_->setRange(0, 100);
  ProgressBar1_->setTextVisible(false);
  optNewGroup_ = MakeArray(optNew_[0], optNew_[1], true);
  txtFolder_[1]->setPalette(NormalBoxPalette());
  auto* flat = new DriveListStyle;
  flat->setParent(drvNew_);
  drvNew_->setStyle(flat);
}

void frmDorvax_hConv::PlaceControls() {
  const double scale = screen() ? screen()->logicalDotsPerInch() / 96.0 : 1.0;
  setFixedSize(TwipsToPixels(kClientWidthTwips, scale), TwipsToPixels(kClientHeightTwips, scale));
  for (const ControlLayout& layout : kControlLayout) {
    QWidget* widget = Widget(layout.control);
    widget->setGeometry(PixelRect(layout, scale));
    // The drive list uses the controls' default size, 9 points.
    if (layout.fontPoints > 0)
      widget->setFont(JapaneseFont(layout.fontPoints));
    else if (layout.kind == ControlKind::kDriveList)
      widget->setFont(JapaneseFont(9));
    SetText(layout.control, layout.caption);
  }
}

void frmDorvax_hConv::FillDriveList() {
  const std::vector<platform::DriveEntry> entries = drives_->List();
  const platform::DriveEntry current = drives_->Current();
  QSignalBlocker quiet(drvNew_);
  int currentRow = -1;
  for (const platform::DriveEntry& entry : entries) {
    if (entry.root == current.root) currentRow = drvNew_->count();
    drvNew_->addItem(QString::fromStdString(entry.DisplayText()));
  }
  if (currentRow < 0) {  // the current drive is always in the list
    drvNew_->insertItem(0, QString::fromStdString(current.DisplayText()));
    currentRow = 0;
  }
  drvNew_->setCurrentIndex(currentRow);
  // The popup as wide as the longest entry, which the list itself may cut.
  drvNew_->view()->setMinimumWidth(drvNew_->view()->sizeHintForColumn(0) +
                                   drvNew_->view()->verticalScrollBar()->sizeHint().width() +
                                   2 * drvNew_->view()->frameWidth());
}

bool frmDorvax_hConv::DriveListCutsItsEntry() const {
  QStyleOptionComboBox option;
  option.initFrom(drvNew_);
  option.editable = false;
  option.frame = drvNew_->hasFrame();
  const QRect field =
      drvNew_->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, drvNew_);
  // The list draws its text one pixel in from each side of the field.
  return drvNew_->fontMetrics().horizontalAdvance(drvNew_->currentText()) > field.width() - 2;
}

void frmDorvax_hConv::UpdateDriveListToolTip() {
  // While the current entry is cut, the whole entry follows the list's own
  // tool tip on a line of its own.
  QString tip = ToolTipOf(Control::drvNew);
  if (DriveListCutsItsEntry()) tip += QLatin1Char('\n') + drvNew_->currentText();
  drvNew_->setToolTip(tip);
}

void frmDorvax_hConv::SetToolTips() {
  for (const ToolTip& tip : kToolTips) Widget(tip.control)->setToolTip(Utf8(tip.text));
  UpdateDriveListToolTip();
}

void frmDorvax_hConv::SetTabOrder() {
  QWidget* previous = nullptr;
  for (const ControlLayout& layout : kControlLayout) {
    QWidget* widget = Widget(layout.control);
    if (!TakesFocus(layout.kind)) {
      widget->setFocusPolicy(Qt::NoFocus);
      continue;
    }
    widget->setFocusPolicy(Qt::StrongFocus);
    if (previous) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

QButtonGroup* frmDorvax_hConv::MakeArray(QAbstractButton* first, QAbstractButton* second, bool exclusive) {
  auto* group = new QButtonGroup(this);
  group->setExclusive(exclusive);
  group->addButton(first, 0);
  group->addButton(second, 1);
  return group;
}

void frmDorvax_hConv::ConnectEvents() {
  connect(optNewGroup_, &QButtonGroup::idClicked, this, &frmDorvax_hConv::optNew_Clicked);
  connect(drvNew_, &QComboBox::currentIndexChanged, this, &frmDorvax_hConv::drvNew_Changed);
  connect(MakeArray(cmdNew_[0], cmdNew_[1], false), &QButtonGroup::idClicked, this, &frmDorvax_hConv::cmdNew_Clicked);
  connect(MakeArray(cmdOld_[0], cmdOld_[1], false), &QButtonGroup::idClicked, this, &frmDorvax_hConv::cmdOld_Clicked);
  connect(MakeArray(cmdMain_[0], cmdMain_[1], false), &QButtonGroup::idClicked, this,
          &frmDorvax_hConv::cmdMain_Clicked);
}

// ---------------------------------------------------------------------------
// Control events

void frmDorvax_hConv::optNew_Clicked(int index) { form_.optNew_Click(static_cast<int16_t>(index)); }

void frmDorvax_hConv::drvNew_Changed(int row) {
  UpdateDriveListToolTip();
  if (row >= 0) form_.drvNew_Change();
}

void frmDorvax_hConv::cmdNew_Clicked(int index) { form_.cmdNew_Click(static_cast<int16_t>(index)); }

void frmDorvax_hConv::cmdOld_Clicked(int index) { form_.cmdOld_Click(static_cast<int16_t>(index)); }

void frmDorvax_hConv::cmdMain_Clicked(int index) { form_.cmdMain_Click(static_cast<int16_t>(index)); }

void frmDorvax_hConv::closeEvent(QCloseEvent* event) {
  // The close always goes ahead; the form decides about the notice and
  // about a run under way.
  event->accept();
  form_.CloseRequested();
}

void frmDorvax_hConv::QuitApplication() {
  // Only a running event loop can be left; tests drive the window without one.
  if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

// ---------------------------------------------------------------------------
// Control primitives

QWidget* frmDorvax_hConv::Widget(Control control) const { return widgets_.at(control); }

std::string frmDorvax_hConv::Text(Control control) const {
  QWidget* widget = Widget(control);
  if (auto* box = qobject_cast<QLineEdit*>(widget)) return box->text().toStdString();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text().toStdString();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text().toStdString();
  if (auto* frame = qobject_cast<QGroupBox*>(widget)) return frame->title().toStdString();
  if (auto* list = qobject_cast<QComboBox*>(widget)) return list->currentText().toStdString();
  return {};
}

void frmDorvax_hConv::SetText(Control control, const std::string& text) {
  QWidget* widget = Widget(control);
  const QString value = QString::fromStdString(text);
  if (auto* box = qobject_cast<QLineEdit*>(widget))
    box->setText(value);
  else if (auto* label = qobject_cast<QLabel*>(widget))
    label->setText(value);
  else if (auto* button = qobject_cast<QAbstractButton*>(widget))
    button->setText(value);
  else if (auto* frame = qobject_cast<QGroupBox*>(widget))
    frame->setTitle(value);
}

bool frmDorvax_hConv::IsEnabled(Control control) const { return Widget(control)->isEnabled(); }

void frmDorvax_hConv::SetEnabled(Control control, bool enabled) { Widget(control)->setEnabled(enabled); }

BoxColour frmDorvax_hConv::Background(Control control) const {
  auto it = colours_.find(control);
  return it == colours_.end() ? BoxColour::kNormal : it->second;
}

void frmDorvax_hConv::SetBackground(Control control, BoxColour colour) {
  QWidget* widget = Widget(control);
  colours_[control] = colour;
  if (colour == BoxColour::kNormal) {
    widget->setPalette(NormalBoxPalette());
    return;
  }
  // For every colour group: a box or list keeps its colour when it is
  // disabled or enabled without a new one.
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, ColourOf(colour));
  widget->setPalette(palette);
}

bool frmDorvax_hConv::IsSelected(Control option) const {
  return option == Control::optNew1 ? optNew_[1]->isChecked() : optNew_[0]->isChecked();
}

void frmDorvax_hConv::SetSelected(Control option, bool selected) {
  QRadioButton* button = option == Control::optNew1 ? optNew_[1] : optNew_[0];
  if (selected) {
    button->setChecked(true);
    return;
  }
  // An exclusive group keeps one button checked; unselecting both needs
  // the group open for a moment.
  optNewGroup_->setExclusive(false);
  button->setChecked(false);
  optNewGroup_->setExclusive(true);
}

bool frmDorvax_hConv::IsVisible(Control control) const { return Widget(control)->isVisibleTo(this); }

void frmDorvax_hConv::SetVisible(Control control, bool visible) { Widget(control)->setVisible(visible); }

void frmDorvax_hConv::SetProgressValue(float value) {
  progressValue_ = value;
  ProgressBar1_->setValue(static_cast<int>(value));
}

void frmDorvax_hConv::SetFocus(Control control) { Widget(control)->setFocus(Qt::OtherFocusReason); }

void frmDorvax_hConv::SetPointer(bool busy) {
  if (busy && !pointerBusy_) QApplication::setOverrideCursor(Qt::WaitCursor);
  if (!busy && pointerBusy_) QApplication::restoreOverrideCursor();
  pointerBusy_ = busy;
}

void frmDorvax_hConv::ProcessEvents() { QCoreApplication::processEvents(); }

void frmDorvax_hConv::Repaint() {
  // Draws now what changed since the last paint (a new status text, the
  // bar), without processing any input; parts that did not change are not
  // drawn again, so the repaint after every tenth file of a run costs
  // nothing when nothing moved.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

MsgAnswer frmDorvax_hConv::MsgBox(const MessageBoxRequest& box) { return MessageBoxQt::Show(this, box); }

std::string frmDorvax_hConv::SelectFolder(const std::string& title) { return fld_Module::SelectFolder(this, title); }

std::string frmDorvax_hConv::CurrentDriveText() const { return drvNew_->currentText().toStdString(); }

void frmDorvax_hConv::Unload() {
  close();
  QuitApplication();
}

}  // namespace dorvax::ui
