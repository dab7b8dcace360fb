// Which command lines ask for the removal of the panel.
#include <gtest/gtest.h>

#include "app/command_line.h"

namespace pelmora {
namespace {

TEST(CommandLine, RemoveSwitchInEitherFormAnyCaseAndAnywhere) {
  for (const char* arguments :
       {"/remove", "-remove", "/REMOVE", "-ReMoVe", "  /remove  ", "\t-remove", "\"/remove\"",
        "/quiet /remove", "C:\\x.txt -Remove extra", "\"a b\" /remove", "/r\"emov\"e"}) {
    EXPECT_TRUE(AsksForPanelRemoval(arguments)) << arguments;
  }
}

TEST(CommandLine, EveryOtherArgumentIsIgnored) {
  for (const char* arguments :
       {"", "   ", "remove", "/removes", "/remov", "--remove", "//remove", "/remove-all",
        "/re move", "\"/remove x\"", "\\remove", "/ｒｅｍｏｖｅ", "/s"}) {
    EXPECT_FALSE(AsksForPanelRemoval(arguments)) << arguments;
  }
}

}  // namespace
}  // namespace pelmora
