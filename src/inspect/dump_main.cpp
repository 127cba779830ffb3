// dorvax-dump: prints old-edition DVX/DVS day records and IDX/SIDX lines.
#include <iostream>

#include "inspect/command_line.h"
#include "inspect/dump_command.h"

int main(int argc, char** argv) {
  dorvax::inspect::PrepareConsoleOutput();
  return dorvax::inspect::RunDump(dorvax::inspect::ProgramArguments(argc, argv), std::cout, std::cerr);
}
