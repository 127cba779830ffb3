#pragma once
// The one place where the window opens a modal message box. Tests answer
// the boxes in advance (SetNextAnswer) so that no real box ever waits for a
// click; with prepared answers required, a box nobody answered is counted
// and gets its default button instead of opening.
#include <deque>
#include <memory>
#include <vector>

#include <QMessageBox>

#include "window/message_box.h"

namespace dorvax::ui {

class MessageBoxQt {
 public:
  // Shows the box modal to `parent` and returns the button pressed.
  static MsgAnswer Show(QWidget* parent, const MessageBoxRequest& request);

  // The box as it would be shown, not yet executed.
  static std::unique_ptr<QMessageBox> Build(QWidget* parent, const MessageBoxRequest& request);

  // ---- answering in advance (tests, screenshots)
  static void SetNextAnswer(MsgAnswer answer);
  // When on, boxes never open: they take the next prepared answer, or their
  // default button when none is left (counted as unanswered). Every box is
  // recorded while this is on.
  static void RequirePreparedAnswers(bool on);
  static const std::vector<MessageBoxRequest>& Shown();
  static int Unanswered();
  static std::size_t PendingAnswers();
  // Forgets prepared answers, recorded boxes and the unanswered count.
  static void Reset();

 private:
  static MsgAnswer AnswerOf(const QMessageBox& box, QAbstractButton* clicked, const MessageBoxRequest& request);
};

}  // namespace dorvax::ui
