// dorvax-treegen: writes a sample new-edition hourly tree for tests and benchmarks.
#include "treegen.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>

namespace {

constexpr const char* kUsage = R"(Usage: dorvax-treegen --root DIR [options]

Writes a sample new-edition hourly tree DIR/dorvax/hourly/ (station information
files and hourly files in CP932), the same bytes for the same options and seed.

  --root DIR             folder that receives dorvax/hourly/ (required)
  --force                remove an existing DIR/dorvax first
  --months LIST          yyyymm months, e.g. 199901-199912,200501 (default 199901)
  --seed N               seed of the generator (default 1)
  --stations N           stations of the network, listed every month (default 20)
  --areas LIST           area numbers to spread stations over, e.g. 11-20,44 (default 11-94)
  --complete             every hour of every day: no gaps, repeats or early ends
  --missing-hour P       probability that an hour has no line (default 0)
  --missing-day P        probability that a whole day has no line (default 0)
  --early-end P          probability that a file stops inside the month (default 0)
  --repeated-line P      probability that a line is written twice (default 0)
  --missing-value P      probability that a value is missing, flag 9 (default 0)
  --other-flag P         probability that a present value has flag 1..8 (default 0.05)
  --value-e P            probability that a station has value E, flag E = 1 (default 0.25)
  --value-e-only P       probability that such a station has flags A..D all 0 (default 0.2)
  --unlisted P           probability that a station is missing from a month's
                         station information while its hourly file exists (default 0)
  --short-info-line P    probability that a station line ends before the flags (default 0)
  --help                 show this text

Exit status: 0 written, 1 a file could not be written, 2 bad arguments.
)";

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

double ParseProbability(const std::string& text) {
  std::size_t used = 0;
  double value = 0;
  try {
    value = std::stod(text, &used);
  } catch (const std::exception&) {
    throw UsageError("not a probability: " + text);
  }
  if (used != text.size() || !(value >= 0.0 && value <= 1.0)) throw UsageError("not a probability: " + text);
  return value;
}

unsigned long long ParseUnsigned(const std::string& text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 19) {
    throw UsageError("not a number: " + text);
  }
  return std::stoull(text);
}

struct CommandLine {
  treegen::Options options;
  bool force = false;
  bool help = false;
};

CommandLine Parse(int argc, char** argv) {
  CommandLine cl;
  cl.options.keepLines = false;
  cl.options.months = {199901};
  treegen::Options& o = cl.options;
  const std::map<std::string, std::function<void(const std::string&)>> valued = {
      {"--root", [&](const std::string& v) { o.root = v; }},
      {"--months", [&](const std::string& v) { o.months = treegen::ParseMonthList(v); }},
      {"--seed", [&](const std::string& v) { o.seed = ParseUnsigned(v); }},
      {"--stations",
       [&](const std::string& v) {
         const unsigned long long n = ParseUnsigned(v);
         if (n > 100000) throw UsageError("too many stations: " + v);
         o.stations = static_cast<int>(n);
       }},
      {"--areas", [&](const std::string& v) { o.areas = treegen::ParseAreaList(v); }},
      {"--missing-hour", [&](const std::string& v) { o.missingHour = ParseProbability(v); }},
      {"--missing-day", [&](const std::string& v) { o.missingDay = ParseProbability(v); }},
      {"--early-end", [&](const std::string& v) { o.earlyEnd = ParseProbability(v); }},
      {"--repeated-line", [&](const std::string& v) { o.repeatedLine = ParseProbability(v); }},
      {"--missing-value", [&](const std::string& v) { o.missingValue = ParseProbability(v); }},
      {"--other-flag", [&](const std::string& v) { o.otherFlag = ParseProbability(v); }},
      {"--value-e", [&](const std::string& v) { o.valueE = ParseProbability(v); }},
      {"--value-e-only", [&](const std::string& v) { o.valueEOnly = ParseProbability(v); }},
      {"--unlisted", [&](const std::string& v) { o.unlisted = ParseProbability(v); }},
      {"--short-info-line", [&](const std::string& v) { o.shortInfoLine = ParseProbability(v); }},
  };
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      cl.help = true;
    } else if (arg == "--complete") {
      o.complete = true;
    } else if (arg == "--force") {
      cl.force = true;
    } else if (auto it = valued.find(arg); it != valued.end()) {
      if (i + 1 >= argc) throw UsageError(arg + " needs a value");
      try {
        it->second(argv[++i]);
      } catch (const std::invalid_argument& e) {
        throw UsageError(e.what());
      }
    } else {
      throw UsageError("unknown argument: " + arg);
    }
  }
  if (!cl.help && o.root.empty()) throw UsageError("--root is required");
  return cl;
}

// Refuses to mix a new tree into an old one; --force clears DIR/dorvax first.
void PrepareRoot(const CommandLine& cl) {
  const std::filesystem::path dorvax = cl.options.root / "dorvax";
  if (!std::filesystem::exists(dorvax)) return;
  if (!cl.force) throw UsageError(dorvax.string() + " exists already (use --force to replace it)");
  std::filesystem::remove_all(dorvax);
}

}  // namespace

int main(int argc, char** argv) {
  CommandLine cl;
  try {
    cl = Parse(argc, argv);
    if (cl.help) {
      std::cout << kUsage;
      return 0;
    }
    PrepareRoot(cl);
  } catch (const UsageError& e) {
    std::cerr << "dorvax-treegen: " << e.what() << "\n(see dorvax-treegen --help)\n";
    return 2;
  }
  try {
    const auto start = std::chrono::steady_clock::now();
    const treegen::Model model = treegen::Generate(cl.options);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("Wrote %llu files, %llu bytes in %llu months under %s [%.2fs]\n",
                static_cast<unsigned long long>(model.filesWritten),
                static_cast<unsigned long long>(model.bytesWritten),
                static_cast<unsigned long long>(model.months.size()), model.hourlyRoot.string().c_str(), seconds);
    return 0;
  } catch (const std::invalid_argument& e) {
    std::cerr << "dorvax-treegen: " << e.what() << "\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "dorvax-treegen: " << e.what() << "\n";
    return 1;
  }
}
