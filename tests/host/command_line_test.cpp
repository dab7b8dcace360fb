// Which command lines ask for the removal of the panel or its status report.
#include <gtest/gtest.h>

#include "app/command_line.h"

namespace pelmora {
namespace {

TEST(CommandLine, RemoveSwitchInEitherFormAnyCaseAndAnywhere) {
  for (const char* arguments :
       {"/remove", "-remove", "/REMOVE", "-ReMoVe", "  /remove  ", "\t-remove", "\"/remove\"",
        "/quiet /remove", "C:\\x.txt -Remove extra", "\"a b\" /remove", "/r\"emov\"e"}) {
    EXPECT_EQ(RunAskedFor(arguments), RequestedRun::kRemovePanel) << arguments;
  }
}

TEST(CommandLine, EveryOtherArgumentIsIgnored) {
  for (const char* arguments :
       {"", "   ", "remove", "/removes", "/remov", "--remove", "//remove", "/remove-all",
        "/re move", "\"/remove x\"", "\\remove", "/ｒｅｍｏｖｅ", "/s", "check", "/checks",
        "--check", "/check-all"}) {
    EXPECT_EQ(RunAskedFor(arguments), RequestedRun::kWindow) << arguments;
  }
}

TEST(CommandLine, CheckSwitchInEitherFormAnyCaseAndTheFirstSwitchWins) {
  for (const char* arguments :
       {"/check", "-check", "/CHECK", "-ChEcK", "\"/check\"", "x /check", "/check /remove"}) {
    EXPECT_EQ(RunAskedFor(arguments), RequestedRun::kCheckPanel) << arguments;
  }
  EXPECT_EQ(RunAskedFor("-remove /check"), RequestedRun::kRemovePanel);
}

}  // namespace
}  // namespace pelmora
