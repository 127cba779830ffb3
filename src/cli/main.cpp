// dorvax-hconv-batch: one conversion run without the window.
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
// windows.h first: the headers after it build on its declarations.
#include <windows.h>

#include <io.h>
#include <shellapi.h>
#else
#include <unistd.h>
#endif

#include "cli/batch_program.h"
#include "cli/console_window.h"
#include "platform/native_path.h"

namespace {

bool IsTerminal(FILE* stream) {
#ifdef _WIN32
  return _isatty(_fileno(stream)) != 0;
#else
  return isatty(fileno(stream)) != 0;
#endif
}

// The first Ctrl+C closes the "window" at the next point where it looks for
// events, so open files are closed as the run unwinds; a second one ends the
// process at once.
extern "C" void OnInterrupt(int) {
  dorvax::cli::ConsoleWindow::RequestClose();
  std::signal(SIGINT, SIG_DFL);
}

// The arguments as UTF-8 text, the form every path takes inside the program.
std::vector<std::string> Arguments(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; wide && i < count; ++i) args.push_back(dorvax::platform::FromWide(wide[i]));
  if (wide) LocalFree(wide);
  return args;
#else
  return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCP(CP_UTF8);
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (GetConsoleMode(err, &mode)) SetConsoleMode(err, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
#endif
  std::vector<std::string> args = Arguments(argc, argv);
  dorvax::cli::Terminal terminal{std::cin, std::cout, std::cerr, IsTerminal(stdin), IsTerminal(stderr)};
  std::signal(SIGINT, OnInterrupt);
  int status = dorvax::cli::RunBatchProgram(args, terminal);
  std::cout.flush();
  return status;
}
