#include "validation/folder_overlap.h"

#include "platform/file_system.h"
#include "platform/native_path.h"

namespace dorvax {

namespace {

// Canonical paths carry no trailing separator except for a root ("/",
// "C:\"), so "below" means: the outer path, a separator, then more.
bool IsCanonicalSameOrInside(const std::string& inner, const std::string& outer) {
  if (inner == outer) return true;
  if (inner.size() <= outer.size() || inner.compare(0, outer.size(), outer) != 0) return false;
  return platform::EndsWithSeparator(outer) || platform::IsSeparator(inner[outer.size()]);
}

// True when the resolved `inner` is `outer` itself or lies below it; false
// when either path cannot be resolved (it does not exist).
bool IsSameOrInside(const std::string& inner, const std::string& outer) {
  std::string innerCanonical = platform::CanonicalFolder(inner);
  std::string outerCanonical = platform::CanonicalFolder(outer);
  if (innerCanonical.empty() || outerCanonical.empty()) return false;
  return IsCanonicalSameOrInside(innerCanonical, outerCanonical);
}

}  // namespace

bool FoldersOverlap(const std::string& sourceText, const std::string& destinationText) {
  std::string source = platform::CanonicalFolder(sourceText);
  std::string destination = platform::CanonicalFolder(destinationText);
  if (!source.empty() && source == destination) return true;
  // The checks delete an old destination + "dorvax" with everything in it.
  if (IsSameOrInside(sourceText, destinationText + "dorvax")) return true;
  // The run writes below destination + "dorvax": inside the source's own
  // "dorvax" folder it would write into the tree it reads, or leave a second
  // tree in the source's.
  return IsSameOrInside(destinationText, sourceText + "dorvax");
}

}  // namespace dorvax
