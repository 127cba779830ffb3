#include "inspect/diff_printer.h"

namespace dorvax::inspect {

void DiffPrinter::Line(const std::string& text) {
  if (lines_ < maxLines_) out_ << label_ << text << '\n';
  ++lines_;
}

void DiffPrinter::Finish() {
  if (lines_ > maxLines_) out_ << label_ << ": " << (lines_ - maxLines_) << " more difference lines not shown\n";
}

}  // namespace dorvax::inspect
