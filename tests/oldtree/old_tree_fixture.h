#pragma once
// A new-edition source tree and an empty old-edition destination for the
// tests of the tree step.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "oldtree/create_old_folders.h"
#include "platform/file_system.h"
#include "support/box_texts.h"
#include "support/fake_window.h"
#include "support/source_tree.h"
#include "support/temp_dir.h"

namespace dorvax::testing {

struct Area {
  std::string name;
  int files;
};

// A month folder with its station information file (none without
// `stations`) and area folders of empty files: the tree step reads no
// hourly file, it only counts them.
inline void AddMonth(const SourceTree& tree, const std::string& month, const std::vector<Area>& areas,
                     const std::optional<std::vector<Station>>& stations = std::vector<Station>{{47401, 47}}) {
  tree.Folder(month);
  if (stations) {
    std::vector<std::string> lines;
    for (const Station& s : *stations) lines.push_back(StationLine(s));
    tree.File(month + "/idx" + month + ".csv", StationInfoFile(month, lines));
  }
  for (const Area& a : areas) {
    tree.Folder(month + "/" + a.name);
    for (int i = 0; i < a.files; ++i) tree.File(month + "/" + a.name + "/" + std::to_string(i) + ".csv", "");
  }
}

class OldTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree.Folder("");
    MakeFolders(dst);
    frm.run.strFolderPath = {src, dst};
    frm.run.intSourceKind = 1;
    frm.SetBusyCursor(true);
  }

  StepResult Run(int16_t pass = 1) {
    StepResult result = StepResult::kGoOn;
    CreateOldFolders(frm.run, frm, pass, result);
    return result;
  }

  std::vector<std::string> Folders(const std::string& relative) const {
    return platform::ListSubfolders(dst + Native(relative));
  }
  std::vector<std::string> Files(const std::string& relative) const {
    return platform::ListFiles(dst + Native(relative));
  }

  void ExpectOneBox(const std::string& text, const std::string& title, MsgIcon icon) {
    ASSERT_EQ(frm.boxes.size(), 1u) << (frm.boxes.empty() ? "" : frm.boxes.back().box.text);
    EXPECT_TRUE(BoxIs(frm.boxes[0], text, title, icon));
  }

  TempDir tmp;
  FakeWindow frm;
  SourceTree tree{tmp / "new/"};
  std::string src = tree.Path();
  std::string dst = tmp / "old/dorvax/";
};

using Names = std::vector<std::string>;

}  // namespace dorvax::testing
