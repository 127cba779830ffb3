#pragma once
// A source tree and a destination for the conversion driver alone: the
// destination holds the folders the tree step would have made, and the
// window is pointed at both as the folder checks would point it.
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "support/fake_window.h"
#include "support/source_tree.h"
#include "support/temp_dir.h"

namespace dorvax::testing {

class HourlyTree {
 public:
  std::string Dst(const std::string& relative) const { return dir_ / ("old/dorvax/" + relative); }

  // A file in an area folder of a month, and the destination folder its output goes to.
  void AddFile(const std::string& yearMonth, const std::string& area, const std::string& name,
               const std::string& bytes) {
    source_.File(yearMonth + "/" + area + "/" + name, bytes);
    MakeFolders(yearMonth < "2000" ? Dst(yearMonth.substr(0, 4)) : Dst(yearMonth + "/" + area));
  }

  void Attach(FakeWindow& frm, int32_t fileTotal, int16_t sourceKind = 1) const {
    source_.Folder("");
    MakeFolders(Dst(""));
    frm.run.strFolderPath = {source_.Path(), Dst("")};
    frm.run.intSourceKind = sourceKind;
    frm.run.lngFileTotal = fileTotal;
  }

 private:
  TempDir dir_;
  SourceTree source_{dir_ / "new/"};
};

// Fields of the written records, read straight from their bytes.
inline int32_t Int16At(const std::string& bytes, std::size_t offset) {
  auto lo = static_cast<unsigned char>(bytes[offset]);
  auto hi = static_cast<unsigned char>(bytes[offset + 1]);
  return static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
}
inline int32_t Int32At(const std::string& bytes, std::size_t offset) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
  return static_cast<int32_t>(v);
}

struct DvxView {
  int32_t station;
  int32_t kind;
  int32_t day;
  bool operator==(const DvxView&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const DvxView& v) {
  return out << "{station " << v.station << ", kind " << v.kind << ", day " << v.day << "}";
}

// Station, kind and day of every 256-byte DVX record of a file.
inline std::vector<DvxView> DvxRecords(const std::string& bytes) {
  std::vector<DvxView> out;
  for (std::size_t at = 0; at + 256 <= bytes.size(); at += 256)
    out.push_back({Int32At(bytes, at + 2), Int16At(bytes, at + 6), Int16At(bytes, at + 12)});
  return out;
}

}  // namespace dorvax::testing
