// The message box wrapper: how a request becomes a box, and the answers
// prepared in advance.
#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "ui/message_box_qt.h"
#include "window/messages.h"
#include "window_harness.h"

namespace dorvax::testing {
namespace {

using ui::MessageBoxQt;

std::vector<std::string> ButtonTexts(QMessageBox& box) {
  std::vector<std::string> texts;
  for (QAbstractButton* button : box.buttons()) texts.push_back(button->text().toStdString());
  std::sort(texts.begin(), texts.end());
  return texts;
}

class MessageBoxTest : public WindowTest {};

TEST_F(MessageBoxTest, YesNoQuestionWithYesAsDefault) {
  auto box = MessageBoxQt::Build(nullptr, YesNoBox("ファイル変換を実行してよろしいですか？"));
  EXPECT_EQ(box->windowTitle().toStdString(), "確認");
  EXPECT_EQ(box->text().toStdString(), "ファイル変換を実行してよろしいですか？");
  EXPECT_EQ(box->icon(), QMessageBox::Question);
  EXPECT_EQ(ButtonTexts(*box), (std::vector<std::string>{"いいえ", "はい"}));
  ASSERT_NE(box->defaultButton(), nullptr);
  EXPECT_EQ(box->defaultButton()->text().toStdString(), "はい");
  EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::No));
}

TEST_F(MessageBoxTest, OkCancelWithOkAsDefault) {
  auto box = MessageBoxQt::Build(nullptr, OkCancelBox("入れてください", msg::kTitleMessage, MsgIcon::kInformation));
  EXPECT_EQ(box->windowTitle().toStdString(), "メッセージ");
  EXPECT_EQ(box->icon(), QMessageBox::Information);
  EXPECT_EQ(ButtonTexts(*box), (std::vector<std::string>{"OK", "キャンセル"}));
  EXPECT_EQ(box->defaultButton()->text().toStdString(), "OK");
}

TEST_F(MessageBoxTest, IconsAndLineBreaks) {
  auto stop = MessageBoxQt::Build(
      nullptr, OkBox(msg::GenericError(76, "パスが見つかりません。"), msg::kTitleStopped, MsgIcon::kCritical));
  EXPECT_EQ(stop->icon(), QMessageBox::Critical);
  EXPECT_EQ(stop->windowTitle().toStdString(), "処理中断");
  // CR LF of the program's texts is one line break on the screen.
  EXPECT_EQ(stop->text().toStdString(), "エラー発生により、現在の処理を中断します。\n76 : パスが見つかりません。");
  EXPECT_EQ(stop->textFormat(), Qt::PlainText);
  EXPECT_EQ(ButtonTexts(*stop), (std::vector<std::string>{"OK"}));

  auto notice = MessageBoxQt::Build(
      nullptr, OkBox("変換プログラムを強制終了します。", msg::kTitleStopped, MsgIcon::kExclamation));
  EXPECT_EQ(notice->icon(), QMessageBox::Warning);
}

// A box shows the lines of its text as written, as wide as its longest line;
// only a line wider than the screen is wrapped, in a box as wide as the
// screen.
TEST_F(MessageBoxTest, LinesStayAsWrittenWithinTheScreen) {
  std::string overlong;  // a path of a deep tree
  for (int level = 0; level < 60; ++level) overlong += "/observation";
  struct Case {
    std::string text;
    bool wrapped;
  };
  const Case cases[] = {
      {"新版フォルダ中に、年報CD-"
       "ROMのフォルダに該当しない名称のフォルダがあります。\r\n（観測年月フォルダ名にエラーがあります）",
       false},
      {"旧版フォルダ内の既存の\"\\dorvax\"フォルダを削除して、新たに\"\\dorvax\"フォルダを作成してもよろしいですか？\r"
       "\n"
       "（既存フォルダ内のファイルは全て削除されます）",
       false},
      {"短い", false},
      {msg::GenericError(76, overlong), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    auto box = MessageBoxQt::Build(nullptr, OkBox(c.text, msg::kTitleStopped, MsgIcon::kCritical));
    box->show();
    QLabel* label = nullptr;
    for (QLabel* candidate : box->findChildren<QLabel*>())
      if (candidate->text() == box->text()) label = candidate;
    ASSERT_NE(label, nullptr);
    const int screenWidth = box->screen()->availableGeometry().width();
    EXPECT_LE(box->width(), screenWidth);
    EXPECT_EQ(label->wordWrap(), c.wrapped);
    if (!c.wrapped) {
      int longest = 0;
      for (const QString& line : box->text().split(u'\n'))
        longest = std::max(longest, label->fontMetrics().horizontalAdvance(line));
      EXPECT_GE(label->contentsRect().width(), longest) << "a line is cut";
    } else {
      EXPECT_EQ(box->width(), screenWidth);
      EXPECT_GE(label->height(), 3 * label->fontMetrics().lineSpacing()) << "the long line is not wrapped";
    }
    box->hide();
  }
}

TEST_F(MessageBoxTest, PreparedAnswersAreTakenInOrderAndRecorded) {
  MessageBoxQt::SetNextAnswer(MsgAnswer::kNo);
  MessageBoxQt::SetNextAnswer(MsgAnswer::kCancel);
  EXPECT_EQ(MessageBoxQt::Show(nullptr, YesNoBox("first")), MsgAnswer::kNo);
  EXPECT_EQ(MessageBoxQt::Show(nullptr, OkCancelBox("second", "t", MsgIcon::kNone)), MsgAnswer::kCancel);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(MessageBoxQt::PendingAnswers(), 0u);

  // Nobody answered: the default button, and the box is counted.
  EXPECT_EQ(MessageBoxQt::Show(nullptr, YesNoBox("third")), MsgAnswer::kYes);
  EXPECT_EQ(MessageBoxQt::Unanswered(), 1);
  MessageBoxQt::Reset();  // the unanswered box was wanted here
}

TEST_F(MessageBoxTest, TheWindowShowsItsBoxesThroughTheWrapper) {
  HarnessWindow& w = MakeWindow();
  MessageBoxQt::SetNextAnswer(MsgAnswer::kNo);
  EXPECT_EQ(w.MsgBox(YesNoBox("変換プログラムを終了してよろしいですか？")), MsgAnswer::kNo);
  ASSERT_EQ(MessageBoxQt::Shown().size(), 1u);
  EXPECT_EQ(MessageBoxQt::Shown()[0].title, "確認");
}

}  // namespace
}  // namespace dorvax::testing
