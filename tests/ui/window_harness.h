#pragma once
// The window under test: the real frmDorvax_hConv on test drives, with a
// hook in its event processing that can ask to close the window in a given
// run state (as the close box would) and that records what each chance to
// process events saw.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/native_path.h"
#include "support/fake_drives.h"
#include "support/temp_dir.h"
#include "ui/frm_dorvax_hconv.h"

namespace dorvax::testing {

class HarnessWindow : public ui::frmDorvax_hConv {
 public:
  explicit HarnessWindow(std::unique_ptr<FakeDrives> drives);

  // Requests a close at the first chance to process events in this state.
  void CloseWhenRunStateIs(int16_t state) { closeInState_ = state; }
  // Fails with an exception the run does not handle, in this state.
  void FailWhenRunStateIs(int16_t state) { failInState_ = state; }
  // Asks to close the window the way the close box does.
  void RequestClose();

  void ProcessEvents() override;
  // Runs `beforeAnswer` when a box whose text holds `textPart` comes up
  // (to put another disc in, say). A box nobody prepared an answer for ends
  // the run, so that a test off its script cannot loop on a repeated box.
  MsgAnswer MsgBox(const MessageBoxRequest& box) override;
  void OnBox(std::string textPart, std::function<void()> beforeAnswer);

  std::vector<int16_t> statesSeen;  // intRunState at every chance
  std::vector<float> progressSeen;  // bar value at every chance
  bool closeRequested = false;

 private:
  int16_t closeInState_ = -100;
  int16_t failInState_ = -100;
  std::string boxTextPart_;
  std::function<void()> beforeAnswer_;
};

// Every test starts with no prepared answers and no recorded boxes, and
// must leave no box or dialog unanswered and no answer unused.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A window on test drives: two fixed "drives" a/ and b/ under the test's
  // folder (a/ is current) and a CD-ROM drive q/.
  HarnessWindow& MakeWindow();
  std::string DriveRoot(const std::string& letter) const { return temp.path() + letter + platform::Sep(); }

  // Message boxes recorded since the test began.
  std::vector<std::string> BoxTexts() const;

  // Clicks a push button or option button as the user would.
  void Click(Control control);

  TempDir temp;
  FakeDrives* drives = nullptr;
  std::unique_ptr<HarnessWindow> window;
};

}  // namespace dorvax::testing
