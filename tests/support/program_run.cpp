#include "support/program_run.h"

#include <cstdlib>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "support/temp_dir.h"

namespace dorvax::testing {

namespace {

std::string ShellQuoted(const std::string& text) {
#ifdef _WIN32
  return "\"" + text + "\"";
#else
  std::string out = "'";
  for (char c : text) out += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return out + "'";
#endif
}

}  // namespace

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& folder) {
  TempDir dir;
  const std::string outFile = dir / "stdout.txt";
  const std::string errFile = dir / "stderr.txt";
  std::string command = (folder.empty() ? "" : "cd " + ShellQuoted(folder) + " && ") + ShellQuoted(program);
  for (const std::string& arg : args) command += " " + ShellQuoted(arg);
  command += " >" + ShellQuoted(outFile) + " 2>" + ShellQuoted(errFile);
#ifdef _WIN32
  command = "\"" + command + "\"";  // cmd.exe strips one pair of quotes
#else
  command += " </dev/null";
#endif
  const int status = std::system(command.c_str());
  ProgramResult result;
#ifdef _WIN32
  result.code = status;
#else
  result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  result.out = ReadBytes(outFile);
  result.err = ReadBytes(errFile);
  return result;
}

}  // namespace dorvax::testing
