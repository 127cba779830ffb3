#include "window/step_window.h"

namespace dorvax {

std::string TrimBlanks(const std::string& text) {
  std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return {};
  std::size_t end = text.find_last_not_of(' ');
  return text.substr(begin, end - begin + 1);
}

std::string StepWindow::TrimmedFolderText(int side) const { return TrimBlanks(FolderText(side)); }

}  // namespace dorvax
