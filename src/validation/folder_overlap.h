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

// True when the resolved `inner` is `outer` itself or lies below it; false
// when either path cannot be resolved (it does not exist).
bool IsSameOrInside(const std::string& inner, const std::string& outer);

}  // namespace dorvax
