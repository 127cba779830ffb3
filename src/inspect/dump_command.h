#pragma once
// dorvax-dump: prints the day records of DVX and DVS files and the lines of
// IDX and SIDX station index files, one output line each.
#include <ostream>
#include <string>
#include <vector>

namespace dorvax::inspect {

// Exit codes: 0 all files printed; 1 a file ended in a broken record (what
// was whole has been printed); 2 a file was missing or unreadable, or the
// command line was wrong. With several files the highest code wins.
int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace dorvax::inspect
