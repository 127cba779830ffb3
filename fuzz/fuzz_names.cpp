// The naming rules of month folders, area folders and station numbers never
// fail on any name and never accept a name outside their ranges.
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/folder_names.h"
#include "formats/hourly_file_names.h"
#include "fuzz_support.h"
#include "platform/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view name(reinterpret_cast<const char*>(data), size);
  int16_t year = -1;
  bool valid = true;
  dorvax::CheckYearMonthName(name, year, valid);
  if (valid)
    fuzzing::Require(year >= 1974 && year <= 2099);
  else
    fuzzing::Require(year == -1);

  bool area = true;
  dorvax::CheckAreaName(name, area);
  if (area) fuzzing::Require(dorvax::platform::utf8::CharCount(name) == 6);

  (void)dorvax::CheckStationNumber(name);
  return 0;
}
