#pragma once
// Prints the difference lines of one file up to a limit and counts them
// all, so a badly broken file cannot flood the output.
#include <cstddef>
#include <ostream>
#include <string>
#include <utility>

namespace dorvax::inspect {

class DiffPrinter {
 public:
  // `label` starts every line (the file's relative path); at most
  // `maxLines` lines are printed.
  DiffPrinter(std::ostream& out, std::string label, std::size_t maxLines)
      : out_(out), label_(std::move(label)), maxLines_(maxLines) {}

  // Prints label + text (the text brings its own separator, " record 3 ..."
  // or ": record count ...") while under the limit.
  void Line(const std::string& text);
  // Tells how many lines were held back, if any.
  void Finish();

  std::size_t lines() const { return lines_; }
  const std::string& label() const { return label_; }

 private:
  std::ostream& out_;
  std::string label_;
  std::size_t maxLines_;
  std::size_t lines_ = 0;
};

}  // namespace dorvax::inspect
