#pragma once
// Whether a source and a destination folder get in each other's way once the
// texts are resolved on disk: the same folder under two spellings (letter
// case, ".", "..", a symbolic link), a source that the deletion of the old
// destination "dorvax" folder would destroy, or a destination that lies in
// the source's "dorvax" folder, which the run would then write into.
#include <string>

namespace dorvax {

// Both texts end with the platform's separator and name existing folders.
bool FoldersOverlap(const std::string& sourceText, const std::string& destinationText);

}  // namespace dorvax
