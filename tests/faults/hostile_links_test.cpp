// Symbolic links in the source tree and in the destination.
//
// The policy: a link in the source tree counts as what it points to (a tree
// assembled from links to copied discs converts like a real one), except a
// link that leads into a folder the program itself created, that is into
// the output being written: such a link is neither a folder nor a file, so
// the output is never read back as input. Broken links and link loops are
// passed over. The walk has a fixed depth (month, area, file), so no link can
// make it loop. Deleting a destination tree removes links as links: nothing
// a link points to is ever deleted, not even when the destination's "dorvax"
// folder itself is a link.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "faults/fault_fixture.h"
#include "faults/fault_trees.h"
#include "support/box_texts.h"
#include "support/temp_dir.h"

namespace dorvax::testing {
namespace {

namespace fs = std::filesystem;
using namespace texts;

class HostileLinks : public FaultRunTest {
 protected:
  void SetUp() override {
    WriteSourceTree(source, {199901, 200001}, 4);
    MakeReference();
    fs::create_directories(target);
    WriteSourceTree(outside, {200001}, 2);  // a tree elsewhere that links may reach
  }

  // A run that must complete with exactly the boxes answered, and leave the
  // folder outside as it was.
  void RunAndComplete(const Answers& answers) {
    TreeState outsideBefore = Snapshot(outside);
    FakeWindow frm;
    RunOutcome outcome = Run(frm, answers);
    EXPECT_TRUE(outcome.completed) << ::testing::PrintToString(frm.BoxTexts());
    EXPECT_EQ(frm.boxes.size(), answers.size() + 1) << ::testing::PrintToString(frm.BoxTexts());
    EXPECT_EQ(Snapshot(outside), outsideBefore) << "nothing outside the destination is written";
  }

  std::string outside = tmp / "outside/";
};

// An area folder that is a link to an area folder of another tree converts
// like a real one.
TEST_F(HostileLinks, AnAreaLinkOutOfTheTreeIsFollowed) {
  std::string area = AreaFolder(source, 200001, 11);
  std::string moved = tmp / "area11-real";
  fs::rename(area.substr(0, area.size() - 1), moved);
  fs::create_directory_symlink(moved, area.substr(0, area.size() - 1));
  RunAndComplete({{MsgAnswer::kOk, kFinished}});
  EXPECT_EQ(Snapshot(target), Snapshot(reference));
}

// A file link into the output: at the count it leads nowhere yet, at the
// walk it would lead to the record file being written. It is passed over
// both times.
TEST_F(HostileLinks, AFileLinkIntoTheOutputIsPassedOver) {
  fs::create_symlink(target + "dorvax/1999/DVX1999.01", AreaFolder(source, 199901, 44) + "azzz_link.csv");
  RunAndComplete({{MsgAnswer::kOk, kFinished}});
  EXPECT_EQ(Snapshot(target), Snapshot(reference));
}

// An area folder link into the output's text-era area folder (made after
// the count, before the walk).
TEST_F(HostileLinks, AnAreaLinkIntoTheOutputIsPassedOver) {
  fs::create_directory_symlink(target + "dorvax/200001/area11", MonthFolder(source, 200001) + "area12");
  RunAndComplete({{MsgAnswer::kOk, kFinished}});
  EXPECT_EQ(Snapshot(target), Snapshot(reference));
}

// A month folder link into the output's month folder.
TEST_F(HostileLinks, AMonthLinkIntoTheOutputIsPassedOver) {
  fs::create_directory_symlink(target + "dorvax/200001", source + "dorvax/hourly/200002");
  RunAndComplete({{MsgAnswer::kOk, kFinished}});
  EXPECT_EQ(Snapshot(target), Snapshot(reference));
}

// Links that loop or lead nowhere are passed over; an area link back to its
// own month folder is followed once (the walk does not go deeper): the
// station information file in it does not fit the file names and is left
// out at the user's word.
TEST_F(HostileLinks, LoopsAndBrokenLinksEndTheirWay) {
  std::string month = MonthFolder(source, 200001);
  fs::create_symlink(AreaFolder(source, 200001, 11) + "aself.csv", AreaFolder(source, 200001, 11) + "aself.csv");
  fs::create_symlink(tmp / "nowhere", AreaFolder(source, 200001, 11) + "abroken.csv");
  fs::create_directory_symlink(month, month + "area33");
  fs::create_directory_symlink(source + "dorvax/hourly", month + "area55");
  RunAndComplete({{MsgAnswer::kYes, "（エラーファイル名：\\200001\\area33\\idx200001.csv）"},
                  {MsgAnswer::kOk, LeftOut(1)},
                  {MsgAnswer::kOk, kFinished}});
  EXPECT_TRUE(fs::is_directory(target + "dorvax/200001/area33"));
  EXPECT_TRUE(fs::is_directory(target + "dorvax/200001/area55"));
  EXPECT_TRUE(FilesBelow(target + "dorvax/200001/area33").empty());
}

// An old destination "dorvax" that is a link to another folder: the link
// goes, the folder it points to keeps everything.
TEST_F(HostileLinks, AnOldDorvaxThatIsALinkIsRemovedAsALink) {
  fs::create_directory_symlink(outside, target + "dorvax");
  RunAndComplete({{MsgAnswer::kYes, kDeleteOldTree}, {MsgAnswer::kOk, kFinished}});
  EXPECT_FALSE(fs::is_symlink(target + "dorvax"));
  EXPECT_EQ(Snapshot(target), Snapshot(reference));
}

// Links inside an old destination tree are removed, not followed.
TEST_F(HostileLinks, LinksInsideAnOldDorvaxAreRemovedAsLinks) {
  MakeFolders(target + "dorvax/1999/");
  fs::create_directory_symlink(outside, target + "dorvax/1999/out");
  fs::create_symlink(StationFile(outside, 200001), target + "dorvax/1999/DVX1999.01");
  RunAndComplete({{MsgAnswer::kYes, kDeleteOldTree}, {MsgAnswer::kOk, kFinished}});
  EXPECT_EQ(Snapshot(target), Snapshot(reference));
}

}  // namespace
}  // namespace dorvax::testing
