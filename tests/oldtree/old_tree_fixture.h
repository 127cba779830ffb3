#pragma once
// A new-edition source tree and an empty old-edition destination for the
// tests of the tree step, written file by file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "oldtree/create_old_folders.h"
#include "formats/station_info_text.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "support/fake_window.h"
#include "support/temp_dir.h"

namespace dorvax::testing {

struct Area {
  std::string name;
  int files;
};

inline std::string Join(const std::string& folder, const std::string& name) {
  return platform::EndsWithSeparator(folder) ? folder + name : folder + platform::Sep() + name;
}

// A relative path written with '/' in the platform's form.
inline std::string Native(std::string path) {
  for (char& c : path)
    if (c == '/') c = platform::kPathSeparator;
  return path;
}

inline bool Logged(const FakeWindow& frm, const std::string& entry) {
  return std::find(frm.log.begin(), frm.log.end(), entry) != frm.log.end();
}

class OldTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    src = tmp / "new/dorvax/hourly/";
    dst = tmp / "old/dorvax/";
    MakeFolders(src);
    MakeFolders(dst);
    frm.run.strFolderPath = {src, dst};
    frm.run.intSourceKind = 1;
    frm.SetBusyCursor(true);
  }

  // A month folder under `hourly` with its station information file (unless
  // `stationLines` is null) and area folders holding empty hourly files.
  static void AddMonth(const std::string& hourly, const std::string& month, const std::vector<Area>& areas,
                       const std::vector<std::string>* stationLines) {
    const std::string folder = Join(hourly, month);
    MakeFolders(folder);
    if (stationLines) WriteBytes(Join(folder, "idx" + month + ".csv"), StationFile(*stationLines));
    for (const Area& a : areas) {
      MakeFolders(Join(folder, a.name));
      for (int i = 0; i < a.files; ++i) WriteBytes(Join(Join(folder, a.name), std::to_string(i) + ".csv"), "");
    }
  }
  void AddMonth(const std::string& month, const std::vector<Area>& areas,
                const std::vector<std::string>& stations = {StationText("47401", "10000")}) {
    AddMonth(src, month, areas, &stations);
  }

  StepResult Run(int16_t pass = 1) {
    StepResult result = StepResult::kGoOn;
    CreateOldFolders(frm.run, frm, pass, result);
    return result;
  }

  std::vector<std::string> Folders(const std::string& relative) const {
    return platform::ListSubfolders(Join(dst, Native(relative)));
  }
  std::vector<std::string> Files(const std::string& relative) const {
    return platform::ListFiles(Join(dst, Native(relative)));
  }

  void ExpectOneBox(const std::string& text, const std::string& title, MsgIcon icon) {
    ASSERT_EQ(frm.boxes.size(), 1u) << (frm.boxes.empty() ? "" : frm.boxes.back().box.text);
    EXPECT_EQ(frm.boxes[0].box.text, text);
    EXPECT_EQ(frm.boxes[0].box.title, title);
    EXPECT_EQ(frm.boxes[0].box.icon, icon);
    EXPECT_EQ(frm.boxes[0].box.buttons, MsgButtons::kOk);
  }

  TempDir tmp;
  FakeWindow frm;
  std::string src, dst;
};

using Names = std::vector<std::string>;

}  // namespace dorvax::testing
