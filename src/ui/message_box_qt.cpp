#include "ui/message_box_qt.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>

namespace dorvax::ui {

namespace {

struct AnswerState {
  std::deque<MsgAnswer> next;
  bool prepared = false;
  std::vector<MessageBoxRequest> shown;
  int unanswered = 0;
};

AnswerState& State() {
  static AnswerState state;
  return state;
}

QMessageBox::Icon IconOf(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::kQuestion: return QMessageBox::Question;
    case MsgIcon::kExclamation: return QMessageBox::Warning;
    case MsgIcon::kInformation: return QMessageBox::Information;
    case MsgIcon::kCritical: return QMessageBox::Critical;
    case MsgIcon::kNone: break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButton ButtonOf(MsgAnswer answer) {
  switch (answer) {
    case MsgAnswer::kOk: return QMessageBox::Ok;
    case MsgAnswer::kCancel: return QMessageBox::Cancel;
    case MsgAnswer::kYes: return QMessageBox::Yes;
    case MsgAnswer::kNo: return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

// The texts of the program write a line break as CR LF; the box wants LF.
QString DisplayText(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

// A box that shows the lines of its text as they are written. The toolkit
// sizes a box to about half the screen and wraps longer lines wherever a
// Japanese text lets it; this box grows to its longest line instead, and
// wraps only a line wider than the screen.
class LineKeepingBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);  // sizes the box, wrapping long lines
    KeepLines();
  }

 private:
  QLabel* TextLabel() const {
    for (QLabel* label : findChildren<QLabel*>())
      if (label->text() == text()) return label;
    return nullptr;
  }

  void KeepLines() {
    QLabel* label = TextLabel();
    if (!label || !layout()) return;
    label->setWordWrap(false);
    layout()->activate();
    int width = std::max(this->width(), layout()->totalMinimumSize().width());
    if (const QScreen* shownOn = screen()) {
      const int screenWidth = shownOn->availableGeometry().width();
      if (width > screenWidth) {
        // A line wider than the screen: the toolkit wraps the text again
        // where its lines let it (between Japanese characters, after the
        // separators of a path), in a box as wide as the screen.
        setText(text());
        width = screenWidth;
      }
    }
    layout()->activate();
    const int height =
        layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width) : layout()->totalMinimumSize().height();
    setFixedSize(width, height);
  }
};

void AddButton(QMessageBox& box, QMessageBox::StandardButton button, const char* text) {
  box.addButton(button)->setText(QString::fromUtf8(text));
}

}  // namespace

std::unique_ptr<QMessageBox> MessageBoxQt::Build(QWidget* parent, const MessageBoxRequest& request) {
  auto box = std::make_unique<LineKeepingBox>(parent);
  box->setWindowTitle(QString::fromStdString(request.title));
  box->setTextFormat(Qt::PlainText);
  box->setText(DisplayText(request.text));
  box->setIcon(IconOf(request.icon));
  switch (request.buttons) {
    case MsgButtons::kOk: AddButton(*box, QMessageBox::Ok, "OK"); break;
    case MsgButtons::kOkCancel:
      AddButton(*box, QMessageBox::Ok, "OK");
      AddButton(*box, QMessageBox::Cancel, "キャンセル");
      break;
    case MsgButtons::kYesNo:
      AddButton(*box, QMessageBox::Yes, "はい");
      AddButton(*box, QMessageBox::No, "いいえ");
      break;
  }
  // Escape and the close box answer as the button that backs out.
  const QMessageBox::StandardButton escape = request.buttons == MsgButtons::kOk         ? QMessageBox::Ok
                                             : request.buttons == MsgButtons::kOkCancel ? QMessageBox::Cancel
                                                                                        : QMessageBox::No;
  box->setEscapeButton(box->button(escape));
  if (auto* byDefault = qobject_cast<QPushButton*>(box->button(ButtonOf(request.defaultAnswer))))
    box->setDefaultButton(byDefault);
  return box;
}

MsgAnswer MessageBoxQt::AnswerOf(const QMessageBox& box, QAbstractButton* clicked, const MessageBoxRequest& request) {
  switch (box.standardButton(clicked)) {
    case QMessageBox::Ok: return MsgAnswer::kOk;
    case QMessageBox::Cancel: return MsgAnswer::kCancel;
    case QMessageBox::Yes: return MsgAnswer::kYes;
    case QMessageBox::No: return MsgAnswer::kNo;
    default: break;
  }
  // Closed without a button: as if the escape button had been pressed.
  switch (request.buttons) {
    case MsgButtons::kOk: return MsgAnswer::kOk;
    case MsgButtons::kOkCancel: return MsgAnswer::kCancel;
    case MsgButtons::kYesNo: return MsgAnswer::kNo;
  }
  return request.defaultAnswer;
}

MsgAnswer MessageBoxQt::Show(QWidget* parent, const MessageBoxRequest& request) {
  AnswerState& state = State();
  if (state.prepared) {
    state.shown.push_back(request);
    if (state.next.empty()) {
      ++state.unanswered;
      return request.defaultAnswer;
    }
    MsgAnswer answer = state.next.front();
    state.next.pop_front();
    return answer;
  }
  std::unique_ptr<QMessageBox> box = Build(parent, request);
  // The hourglass belongs to the window at work; a waiting box shows the
  // normal pointer.
  const bool busy = QApplication::overrideCursor() != nullptr;
  if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
  box->exec();
  if (busy) QApplication::restoreOverrideCursor();
  return AnswerOf(*box, box->clickedButton(), request);
}

void MessageBoxQt::SetNextAnswer(MsgAnswer answer) { State().next.push_back(answer); }
void MessageBoxQt::RequirePreparedAnswers(bool on) { State().prepared = on; }
const std::vector<MessageBoxRequest>& MessageBoxQt::Shown() { return State().shown; }
int MessageBoxQt::Unanswered() { return State().unanswered; }
std::size_t MessageBoxQt::PendingAnswers() { return State().next.size(); }

void MessageBoxQt::Reset() {
  AnswerState& state = State();
  state.next.clear();
  state.shown.clear();
  state.unanswered = 0;
}

}  // namespace dorvax::ui
