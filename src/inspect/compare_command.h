#pragma once
// dorvax-compare: tells two old-edition trees (or two files) apart, record
// by record for DVX and DVS files and line by line for text files.
#include <ostream>
#include <string>
#include <vector>

namespace dorvax::inspect {

// Exit codes: 0 identical; 1 different; 2 an input is missing or
// unreadable, or the command line is wrong.
int RunCompare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace dorvax::inspect
