// The built programs: exit codes, and rows on stdout kept apart from the
// messages on stderr.
#include <gtest/gtest.h>

#include "inspect_fixtures.h"
#include "support/temp_dir.h"

namespace dorvax::inspect::testing {
namespace {

using dorvax::testing::TempDir;
using dorvax::testing::WriteBytes;

TEST(Programs, DumpExitCodesAndStreams) {
  TempDir dir;
  std::string record = Bytes(EmptyDvx(500, 4, 99, 1, 1));
  WriteBytes(dir / "DVX1999.01", record + record.substr(0, 10));

  RunResult broken = RunProgram(DORVAX_DUMP_EXE, {dir / "DVX1999.01"});
  EXPECT_EQ(broken.code, 1);
  EXPECT_EQ(CountLines(broken.out), 2u);
  EXPECT_NE(broken.err.find("at byte offset 256"), std::string::npos);

  RunResult missing = RunProgram(DORVAX_DUMP_EXE, {dir / "DVS1999.01"});
  EXPECT_EQ(missing.code, 2);
  EXPECT_NE(missing.err.find(dir / "DVS1999.01"), std::string::npos);

  EXPECT_EQ(RunProgram(DORVAX_DUMP_EXE, {}).code, 2);
  RunResult help = RunProgram(DORVAX_DUMP_EXE, {"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("--station N"), std::string::npos);
}

TEST(Programs, CompareExitCodes) {
  TempDir dir;
  WriteBytes(dir / "DVS1999.01", Bytes(EmptyDvs(600, 99, 1, 1)));
  DvsDayRecord changed = EmptyDvs(600, 99, 1, 1);
  changed.intValue[2] = 4;
  WriteBytes(dir / "other.01", Bytes(changed));

  RunResult same = RunProgram(DORVAX_COMPARE_EXE, {dir / "DVS1999.01", dir / "DVS1999.01"});
  EXPECT_EQ(same.code, 0);
  EXPECT_EQ(same.out, "0 different records out of 1 in 1 files\n");

  RunResult different = RunProgram(DORVAX_COMPARE_EXE, {dir / "DVS1999.01", dir / "other.01"});
  EXPECT_EQ(different.code, 1);
  EXPECT_NE(different.out.find("DVS1999.01 record 1 station 600 day 1 hour 2 value E: null != 4\n"), std::string::npos);

  RunResult missing = RunProgram(DORVAX_COMPARE_EXE, {dir / "DVS1999.01", dir / "gone"});
  EXPECT_EQ(missing.code, 2);
  EXPECT_NE(missing.err.find(dir / "gone"), std::string::npos);
  EXPECT_EQ(RunProgram(DORVAX_COMPARE_EXE, {"--help"}).code, 0);
}

}  // namespace
}  // namespace dorvax::inspect::testing
