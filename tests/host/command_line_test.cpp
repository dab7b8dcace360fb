// What each command line asks for, and which lines are refused.
#include <gtest/gtest.h>

#include "app/command_line.h"

namespace pelmora {
namespace {

struct Case {
  const char* arguments;
  RequestedRun run;
  bool quiet;
  const char* log_file;
  const char* invalid;  // nullptr: the line is valid
};

TEST(CommandLine, EachLineAsksForItsRun) {
  const Case cases[] = {
      {"", RequestedRun::kEmbed, false, "", nullptr},
      {"   ", RequestedRun::kEmbed, false, "", nullptr},
      {"/remove", RequestedRun::kRemovePanel, false, "", nullptr},
      {"-ReMoVe", RequestedRun::kRemovePanel, false, "", nullptr},
      {"\"/remove\"", RequestedRun::kRemovePanel, false, "", nullptr},
      {"/r\"emov\"e", RequestedRun::kRemovePanel, false, "", nullptr},
      {"-CHECK /remove", RequestedRun::kCheckPanel, false, "", nullptr},
      {"/remove /check", RequestedRun::kRemovePanel, false, "", nullptr},
      {"/QUIET", RequestedRun::kEmbed, true, "", nullptr},
      {"-quiet /remove", RequestedRun::kRemovePanel, true, "", nullptr},
      {"/check /quiet /log C:\\logs\\p.log", RequestedRun::kCheckPanel, true, "C:\\logs\\p.log", nullptr},
      {"/LOG \"C:\\My Logs\\p.log\" /quiet", RequestedRun::kEmbed, true, "C:\\My Logs\\p.log", nullptr},
      {"-log p.log", RequestedRun::kEmbed, false, "p.log", nullptr},
      {"/?", RequestedRun::kUsage, false, "", nullptr},
      {"/remove -HELP", RequestedRun::kUsage, false, "", nullptr},
      // Anything not understood makes the line invalid, the first such
      // argument named as given.
      {"remove", RequestedRun::kEmbed, false, "", "remove"},
      {"/quiet /removes", RequestedRun::kEmbed, true, "", "/removes"},
      {"--check", RequestedRun::kEmbed, false, "", "--check"},
      {"/ｒｅｍｏｖｅ", RequestedRun::kEmbed, false, "", "/ｒｅｍｏｖｅ"},
      {"/", RequestedRun::kEmbed, false, "", "/"},
      {"/remove x y", RequestedRun::kRemovePanel, false, "", "x"},
      {"/log", RequestedRun::kEmbed, false, "", "/log"},
      {"/log /quiet", RequestedRun::kEmbed, true, "", "/log"},
      {"/log \"\"", RequestedRun::kEmbed, false, "", "/log"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    const CommandLine line = ReadCommandLine(c.arguments);
    EXPECT_EQ(line.run, c.run);
    EXPECT_EQ(line.quiet, c.quiet);
    EXPECT_EQ(line.log_file, c.log_file);
    EXPECT_EQ(line.invalid.has_value(), c.invalid != nullptr);
    if (line.invalid && c.invalid != nullptr) {
      EXPECT_EQ(*line.invalid, c.invalid);
    }
  }
}

}  // namespace
}  // namespace pelmora
