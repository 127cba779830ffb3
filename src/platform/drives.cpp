#include "platform/drives.h"

#include "platform/native_path.h"

namespace dorvax::platform {

std::string DriveEntry::DisplayText() const {
#ifdef _WIN32
  std::string text = root.substr(0, 2);
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return label.empty() ? text : text + " [" + label + "]";
#else
  return label.empty() ? root : root + " [" + label + "]";
#endif
}

std::string DriveRootFromListText(const std::string& listText) {
#ifdef _WIN32
  std::string root = listText.substr(0, 2);
  for (char& c : root) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return root + "\\";
#else
  std::string root = listText.substr(0, listText.find(" ["));
  if (!EndsWithSeparator(root)) root += '/';
  return root;
#endif
}

}  // namespace dorvax::platform
