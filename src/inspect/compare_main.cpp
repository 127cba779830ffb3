// dorvax-compare: compares two old-edition trees or files.
#include <iostream>

#include "inspect/command_line.h"
#include "inspect/compare_command.h"

int main(int argc, char** argv) {
  dorvax::inspect::PrepareConsoleOutput();
  return dorvax::inspect::RunCompare(dorvax::inspect::ProgramArguments(argc, argv), std::cout, std::cerr);
}
