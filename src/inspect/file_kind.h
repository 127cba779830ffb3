#pragma once
// What kind of old-edition file a name stands for, and so how it is read:
// day records (DVX, DVS), station index lines (IDX, SIDX), other text
// (the text era's copied and reshaped files) or plain bytes.
#include <cstddef>
#include <optional>
#include <string_view>

namespace dorvax::inspect {

enum class FileKind { kDvx, kDvs, kIdx, kSidx, kText, kBytes };

// DVXyyyy.mm, DVSyyyy.mm, IDXyyyy.mm or SIDXyyyy.mm, letter case ignored.
std::optional<FileKind> KindFromOldName(std::string_view fileName);

// The kinds a user may force: "dvx", "dvs", "idx" or "sidx" (any case).
std::optional<FileKind> KindFromOption(std::string_view text);

// The kind used when comparing: the old-edition names first; then text for
// a ".csv" file or any file below a month folder of the text era (yyyymm,
// year 2000 or later); bytes otherwise. `relativePath` uses the platform's
// separator between folder names.
FileKind KindForCompare(std::string_view relativePath);

// "DVX", "DVS", "IDX", "SIDX", "text" or "bytes".
const char* KindLabel(FileKind kind);

// Size of one day record of DVX and DVS files, 0 for other kinds.
std::size_t RecordSizeOf(FileKind kind);

inline bool IsRecordKind(FileKind kind) { return kind == FileKind::kDvx || kind == FileKind::kDvs; }
inline bool IsIndexKind(FileKind kind) { return kind == FileKind::kIdx || kind == FileKind::kSidx; }

// The last component of a path (text after its last separator).
std::string_view FileNameOf(std::string_view path);

}  // namespace dorvax::inspect
