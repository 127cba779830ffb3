// A station information file of any content: the conversion into the station
// index either succeeds, with no more index lines than station lines, or
// stops with its message and result 111; every file it opened is closed.
#include <unistd.h>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_support.h"
#include "null_window.h"
#include "oldtree/station_index.h"
#include "platform/file_handle.h"

namespace {
std::string g_base;

// Removes the work folder when the process ends (libFuzzer ends with exit()).
void RemoveWorkFolder() {
  std::error_code ec;
  std::filesystem::remove_all(g_base, ec);
}

std::string WorkFolder() {
  static std::string folder = [] {
    g_base = std::filesystem::temp_directory_path().string() + "/dorvax-fuzz-" + std::to_string(getpid());
    std::filesystem::create_directories(g_base + "/199901");
    std::atexit(RemoveWorkFolder);
    return g_base + "/";
  }();
  return folder;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string folder = WorkFolder();
  std::string source = folder + "199901/idx199901.csv";
  {
    std::ofstream out(source, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  std::filesystem::remove(folder + "SIDX1999.01");
  fuzzing::NullWindow frm;
  int open = dorvax::platform::OpenFileCount();
  using dorvax::StepResult;
  StepResult result = StepResult::kGoOn;
  dorvax::ConvertStationIndex(frm.form.run, frm.form, source, folder + "IDX1999", folder + "SIDX1999", result);
  fuzzing::Require(result == StepResult::kGoOn || result == StepResult::kStationIndexFailed);
  fuzzing::Require(dorvax::platform::OpenFileCount() == open);
  fuzzing::Require(result == StepResult::kGoOn ? frm.controls.boxes == 0 : frm.controls.boxes == 1);
  if (result == StepResult::kGoOn) fuzzing::Require(std::filesystem::exists(folder + "IDX1999.01"));
  return 0;
}
