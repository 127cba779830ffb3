#include "window_harness.h"

#include <stdexcept>

#include <QAbstractButton>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QTest>
#include <QWindow>

#include "platform/native_path.h"
#include "ui/fld_module.h"
#include "ui/message_box_qt.h"

namespace dorvax::testing {

HarnessWindow::HarnessWindow(std::unique_ptr<FakeDrives> drives) : ui::frmDorvax_hConv(std::move(drives)) {}

void HarnessWindow::RequestClose() {
  closeRequested = true;
  // The close box reaches the window as a close event of its platform
  // window, delivered with the other pending events.
  if (QWindow* handle = windowHandle())
    QCoreApplication::postEvent(handle, new QCloseEvent);
  else
    QMetaObject::invokeMethod(
        this, [this] { close(); }, Qt::QueuedConnection);
}

void HarnessWindow::ProcessEvents() {
  statesSeen.push_back(form().run.intRunState);
  progressSeen.push_back(ProgressValue());
  if (!closeRequested && form().run.intRunState == closeInState_) RequestClose();
  if (form().run.intRunState == failInState_) throw std::runtime_error("unexpected failure");
  ui::frmDorvax_hConv::ProcessEvents();
}

MsgAnswer HarnessWindow::MsgBox(const MessageBoxRequest& box) {
  if (beforeAnswer_ && box.text.find(boxTextPart_) != std::string::npos) beforeAnswer_();
  const int unansweredBefore = ui::MessageBoxQt::Unanswered();
  const MsgAnswer answer = ui::frmDorvax_hConv::MsgBox(box);
  if (ui::MessageBoxQt::Unanswered() > unansweredBefore && form().RunInProgress()) throw RunAborted();
  return answer;
}

void HarnessWindow::OnBox(std::string textPart, std::function<void()> beforeAnswer) {
  boxTextPart_ = std::move(textPart);
  beforeAnswer_ = std::move(beforeAnswer);
}

void WindowTest::SetUp() {
  ui::MessageBoxQt::Reset();
  fld_Module::Reset();
}

void WindowTest::TearDown() {
  EXPECT_EQ(ui::MessageBoxQt::Unanswered(), 0) << "a box came up that the test did not expect";
  EXPECT_EQ(ui::MessageBoxQt::PendingAnswers(), 0u) << "a box the test expected never came up";
  EXPECT_EQ(fld_Module::Unanswered(), 0);
  window.reset();
  QCoreApplication::processEvents();
}

HarnessWindow& WindowTest::MakeWindow() {
  auto fake = std::make_unique<FakeDrives>();
  for (const char* letter : {"a", "b"}) {
    MakeFolders(DriveRoot(letter));
    fake->AddDrive(DriveRoot(letter), platform::DriveType::kFixed);
  }
  MakeFolders(DriveRoot("q"));
  fake->AddDrive(DriveRoot("q"), platform::DriveType::kCdRom);
  drives = fake.get();
  window = std::make_unique<HarnessWindow>(std::move(fake));
  return *window;
}

std::vector<std::string> WindowTest::BoxTexts() const {
  std::vector<std::string> texts;
  for (const MessageBoxRequest& box : ui::MessageBoxQt::Shown()) texts.push_back(box.text);
  return texts;
}

void WindowTest::Click(Control control) {
  auto* button = qobject_cast<QAbstractButton*>(window->Widget(control));
  ASSERT_NE(button, nullptr) << ControlName(control);
  ASSERT_TRUE(button->isEnabled()) << ControlName(control) << " is disabled";
  QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace dorvax::testing
