// Pass 2 of a two-disc run: the hand-over to the second disc and the
// detection of the first disc inserted again.
#include <gtest/gtest.h>

#include <filesystem>

#include "oldtree/create_old_folders.h"
#include "oldtree/old_tree_fixture.h"
#include "platform/fault_injection.h"
#include "platform/run_error.h"

namespace dorvax {
namespace {

namespace fs = std::filesystem;
using namespace testing::texts;
using testing::AddMonth;
using testing::Names;
using testing::Native;
using testing::ReadBytes;
using testing::SourceTree;
using testing::Station;

// A CD-ROM drive whose root is a folder; discs are trees prepared beside it
// and copied in when "inserted".
class SecondDiscTest : public testing::OldTreeTest {
 protected:
  void SetUp() override {
    OldTreeTest::SetUp();
    drive = tmp / "cd/";
    testing::MakeFolders(drive);
    frm.fakeDrives().AddDrive(drive, platform::DriveType::kCdRom);
    src = drive + Native("dorvax/hourly/");
    frm.run.strFolderPath[0] = src;
    frm.run.intSourceKind = 2;
  }

  // A disc with the given months, each with one area of one file and a
  // station information file naming `station`.
  std::string Disc(const std::string& name, const Names& months, int32_t station = 47401) {
    for (const std::string& m : months)
      AddMonth(SourceTree(tmp / (name + "/")), m, {{"area11", 1}}, std::vector<Station>{{station}});
    return tmp / name;
  }
  void Insert(const std::string& disc) {
    fs::remove_all(drive);
    fs::copy(disc, drive, fs::copy_options::recursive);
  }
  // OK at the prompt, with the disc exchanged meanwhile.
  void AnswerPromptInserting(const std::string& disc) {
    frm.Answer(MsgAnswer::kOk, "２枚目のCD-ROMを入れてください", [this, disc] { Insert(disc); });
  }
  std::string IndexFile(const std::string& name) { return dst + Native("1999/STNIDX/IDX/" + name); }

  std::string drive;
};

TEST_F(SecondDiscTest, CancelAtThePromptStopsWith99) {
  frm.Answer(MsgAnswer::kCancel);
  frm.Answer(MsgAnswer::kOk);
  EXPECT_EQ(Run(2), StepResult::kStopped);
  ASSERT_EQ(frm.boxes.size(), 2u);
  EXPECT_TRUE(BoxIs(frm.boxes[0], kInsertSecond, "メッセージ", MsgIcon::kInformation, MsgButtons::kOkCancel));
  EXPECT_EQ(frm.boxes[0].box.defaultAnswer, MsgAnswer::kOk);
  EXPECT_TRUE(BoxIs(frm.boxes[1], kAborted, "メッセージ", MsgIcon::kInformation));
  EXPECT_FALSE(frm.busy);
  EXPECT_TRUE(frm.statusTexts.empty());
  EXPECT_EQ(frm.run.intRunState, 2);
}

TEST_F(SecondDiscTest, EmptyDriveAsksAgainWith580) {
  frm.fakeDrives().SetReady(drive, false);
  frm.Answer(MsgAnswer::kOk);
  frm.Answer(MsgAnswer::kOk);
  EXPECT_EQ(Run(2), StepResult::kCallAgain);
  ASSERT_EQ(frm.boxes.size(), 2u);
  EXPECT_TRUE(BoxIs(frm.boxes[1], kNoDisc, "エラー", MsgIcon::kExclamation));
  EXPECT_EQ(frm.statusTexts, Names{"（2枚目のCD-ROMのフォルダ構成等のチェックを行っています）"});
  EXPECT_EQ(frm.run.intRunState, 21);
  EXPECT_TRUE(frm.busy);
}

TEST_F(SecondDiscTest, DiscWithoutTheHourlyFolderAsksAgainWith580) {
  frm.Answer(MsgAnswer::kOk);
  frm.Answer(MsgAnswer::kOk);
  EXPECT_EQ(Run(2), StepResult::kCallAgain);
  ASSERT_EQ(frm.boxes.size(), 2u);
  EXPECT_TRUE(BoxIs(frm.boxes[1], "１枚目のCD-ROMと同様の新版フォルダ構造をもたないCD-ROMが入っています。", "エラー",
                    MsgIcon::kExclamation));
  EXPECT_TRUE(frm.busy);
}

TEST_F(SecondDiscTest, SecondDiscBuildsItsMonthsAndAdvancesEight) {
  Insert(Disc("discA", {"199901", "200001"}));
  ASSERT_EQ(Run(1), StepResult::kGoOn);
  AnswerPromptInserting(Disc("discB", {"199907", "200007"}));
  frm.statusTexts.clear();
  frm.progressValues.clear();
  EXPECT_EQ(Run(2), StepResult::kGoOn);
  EXPECT_EQ(frm.statusTexts, (Names{"（2枚目のCD-ROMのフォルダ構成等のチェックを行っています）",
                                    "（2枚目のCD-ROMの旧版サブフォルダを作成しています）"}));
  EXPECT_EQ(frm.progressValues, (std::vector<float>{7, 7, 15}));
  EXPECT_EQ(frm.run.intRunState, 21);
  EXPECT_EQ(Files("1999/STNIDX/IDX"), (Names{"IDX1999.01", "IDX1999.07"}));
  EXPECT_EQ(Folders(""), (Names{"1999", "2000", "200001", "200007"}));
  EXPECT_EQ(frm.run.lngFileTotal, 2);
  ASSERT_EQ(frm.run.typStation.LastIndex(), 1u);  // disc 2's stations only
  EXPECT_EQ(frm.run.typStation[1].intMonth, 7);
  EXPECT_TRUE(frm.busy);
}

TEST_F(SecondDiscTest, FirstDiscAgainWithTextEraMonthsAsksAgain) {
  Insert(Disc("discA", {"200001"}));
  ASSERT_EQ(Run(1), StepResult::kGoOn);
  frm.Answer(MsgAnswer::kOk);
  frm.Answer(MsgAnswer::kOk, kSameDisc);
  EXPECT_EQ(Run(2), StepResult::kCallAgain);
  EXPECT_TRUE(BoxIs(frm.boxes.back(), kSameDisc, "エラー", MsgIcon::kExclamation));
  EXPECT_TRUE(frm.busy);

  AnswerPromptInserting(Disc("discB", {"200007"}));
  EXPECT_EQ(Run(2), StepResult::kGoOn);
  EXPECT_EQ(frm.boxes.size(), 3u);
}

TEST_F(SecondDiscTest, FirstDiscAgainWithBinaryEraMonthsKeepsItsIndexFiles) {
  Insert(Disc("discA", {"199901"}));
  ASSERT_EQ(Run(1), StepResult::kGoOn);
  const std::string firstIndex = ReadBytes(IndexFile("IDX1999.01"));
  // The same month on the disc now inserted, with other stations: writing it
  // again would replace the first disc's index.
  AnswerPromptInserting(Disc("discA2", {"199901"}, 47999));
  frm.Answer(MsgAnswer::kOk, kSameDisc);
  EXPECT_EQ(Run(2), StepResult::kCallAgain);
  EXPECT_TRUE(BoxIs(frm.boxes.back(), kSameDisc, "エラー", MsgIcon::kExclamation));
  EXPECT_TRUE(frm.busy);
  EXPECT_EQ(ReadBytes(IndexFile("IDX1999.01")), firstIndex);
  EXPECT_EQ(frm.run.typStation.LastIndex(), 0u);

  AnswerPromptInserting(Disc("discB", {"199907"}));
  EXPECT_EQ(Run(2), StepResult::kGoOn);
  EXPECT_EQ(ReadBytes(IndexFile("IDX1999.01")), firstIndex);
  EXPECT_TRUE(fs::exists(IndexFile("IDX1999.07")));
}

TEST_F(SecondDiscTest, RetryOfTheSamePassRewritesItsOwnIndexFiles) {
  Insert(Disc("discA", {"199901"}));
  ASSERT_EQ(Run(1), StepResult::kGoOn);
  AnswerPromptInserting(Disc("discB", {"199907", "199908"}));
  frm.Answer(MsgAnswer::kOk, kNoDisc);
  {
    // The disc becomes unreadable after July's index has been written.
    platform::faults::ScopedFault gone({platform::faults::Op::kListFolder, 1, 76, Native("hourly/199908")});
    EXPECT_EQ(Run(2), StepResult::kCallAgain);
  }
  ASSERT_TRUE(fs::exists(IndexFile("IDX1999.07")));
  frm.Answer(MsgAnswer::kOk);
  const std::size_t boxesBefore = frm.boxes.size();
  EXPECT_EQ(Run(2), StepResult::kGoOn);
  EXPECT_EQ(frm.boxes.size(), boxesBefore + 1);  // only the prompt
  EXPECT_EQ(frm.run.indexFilesWritten[IndexFile("IDX1999.07")], 2);
}

TEST_F(SecondDiscTest, ANewRunForgetsTheIndexFilesOfTheLastOne) {
  const std::string discA = Disc("discA", {"199901"});
  const std::string discB = Disc("discB", {"199907"});
  Insert(discA);
  ASSERT_EQ(Run(1), StepResult::kGoOn);
  AnswerPromptInserting(discB);
  ASSERT_EQ(Run(2), StepResult::kGoOn);
  // The next run takes the discs in the other order into a fresh destination.
  fs::remove_all(dst);
  testing::MakeFolders(dst);
  Insert(discB);
  ASSERT_EQ(Run(1), StepResult::kGoOn);
  AnswerPromptInserting(discA);
  EXPECT_EQ(Run(2), StepResult::kGoOn);
  EXPECT_EQ(frm.boxes.size(), 2u);
}

// A window whose repaint fails while the second disc is checked.
TEST(CheckSecondDisc, UnexpectedFailureShowsTheGenericBoxAndReturns9) {
  testing::FakeWindow frm;
  frm.onRepaint = [](int16_t state) {
    if (state == 21) throw platform::MakeError(platform::kErrDeviceIo);
  };
  frm.run.strFolderPath = {"/nowhere/dorvax/hourly/", "/nowhere/old/dorvax/"};
  frm.run.intSourceKind = 2;
  frm.Answer(MsgAnswer::kOk);
  frm.Answer(MsgAnswer::kOk);
  frm.SetBusyCursor(true);
  StepResult result = StepResult::kGoOn;
  CreateOldFolders(frm.run, frm, 2, result);
  EXPECT_EQ(result, StepResult::kDiscCheckFailed);
  ASSERT_EQ(frm.boxes.size(), 2u);
  EXPECT_TRUE(BoxIs(frm.boxes[1], kGeneric + "57 : デバイス I/O エラーです。", "処理中断", MsgIcon::kCritical));
  EXPECT_FALSE(frm.busy);
  EXPECT_EQ(frm.statusTexts.size(), 1u);  // no tree status after the failed check
}

}  // namespace
}  // namespace dorvax
