// Reading another registry view and listing subkeys: what the places
// beyond the machine-wide uninstall scan are read with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_machine.h"
#include "runtime/registry.h"

namespace pelmora {
namespace {

using fake::Registry;

constexpr std::uint32_t kWow64_64Key = 0x0100;

class RegistryViewTest : public ::testing::Test {
 protected:
  void SetUp() override { Registry().Clear(); }
  void TearDown() override {
    EXPECT_EQ(Registry().open_keys(), 0) << "a key was left open";
    Registry().Clear();
  }
};

TEST_F(RegistryViewTest, The64BitViewIsAskedForOnlyWhenWanted) {
  Registry().SetString(fake::kHkeyLocalMachine, "SOFTWARE\\K", "V", "32-bit view");
  Registry().SetString(fake::kHkeyLocalMachine64, "SOFTWARE\\K", "V", "64-bit view");

  EXPECT_EQ(ReadRegistryTextIn(RegistryView::kOwn, 4, "SOFTWARE\\K\\V"), "32-bit view");
  EXPECT_EQ(Registry().last_access() & kWow64_64Key, 0u);
  EXPECT_EQ(ReadRegistryTextIn(RegistryView::k64Bit, 4, "SOFTWARE\\K\\V"), "64-bit view");
  EXPECT_EQ(Registry().last_access(), 0x20019u | kWow64_64Key);
  EXPECT_TRUE(RegistryItemExistsIn(RegistryView::k64Bit, 4, "SOFTWARE\\K\\V"));
  EXPECT_FALSE(RegistryItemExistsIn(RegistryView::k64Bit, 4, "SOFTWARE\\K\\Other"));

  // The existing commands read the program's own view, unchanged.
  EXPECT_EQ(ReadRegistryText(4, "SOFTWARE\\K\\V"), "32-bit view");
}

TEST_F(RegistryViewTest, MissingValuesAndOtherTypesReadAsTheEmptyText) {
  Registry().SetValue(fake::kHkeyCurrentUser, "S\\K", "Dword", fake::kRegDword, "\x01\0\0\0");
  EXPECT_TRUE(ReadRegistryTextIn(RegistryView::kOwn, 3, "S\\K\\Dword").empty());
  EXPECT_TRUE(RegistryItemExistsIn(RegistryView::kOwn, 3, "S\\K\\Dword"));
  EXPECT_TRUE(ReadRegistryTextIn(RegistryView::kOwn, 3, "S\\K\\Missing").empty());
  EXPECT_TRUE(ReadRegistryTextIn(RegistryView::k64Bit, 3, "S\\None\\V").empty());
}

std::vector<std::string> Names(const std::vector<Text>& texts) {
  std::vector<std::string> names;
  for (const Text& text : texts) names.emplace_back(text.c_str());
  return names;
}

TEST_F(RegistryViewTest, SubkeysAreListedInRegistryOrderAndOnlyFromTheirView) {
  for (const char* name : {"b", "Kingsoft Office", "A"}) {
    Registry().CreateKey(fake::kHkeyCurrentUser, std::string("Soft\\List\\") + name);
  }
  Registry().CreateKey(fake::kHkeyCurrentUser, "Soft\\List\\A\\Nested");
  Registry().CreateKey(fake::kHkeyLocalMachine64, "Soft\\List\\Only64");

  EXPECT_EQ(Names(RegistrySubkeyNames(RegistryView::kOwn, 3, "Soft\\List")),
            (std::vector<std::string>{"A", "b", "Kingsoft Office"}));
  EXPECT_EQ(Names(RegistrySubkeyNames(RegistryView::k64Bit, 4, "Soft\\List")),
            (std::vector<std::string>{"Only64"}));
  EXPECT_TRUE(RegistrySubkeyNames(RegistryView::kOwn, 4, "Soft\\List").empty());
}

TEST_F(RegistryViewTest, NamesTooLongForTheScanBufferAreLeftOutNotTheRest) {
  Registry().CreateKey(fake::kHkeyCurrentUser, "E\\" + std::string(255, 'a'));
  Registry().CreateKey(fake::kHkeyCurrentUser, "E\\" + std::string(254, 'b'));
  Registry().CreateKey(fake::kHkeyCurrentUser, "E\\c");
  std::vector<std::string> names = Names(RegistrySubkeyNames(RegistryView::kOwn, 3, "E"));
  EXPECT_EQ(names, (std::vector<std::string>{std::string(254, 'b'), "c"}));
}

TEST_F(RegistryViewTest, AKeyThatCannotBeOpenedListsNothing) {
  Registry().DenyAccess(fake::kHkeyCurrentUser, "Denied");
  Registry().CreateKey(fake::kHkeyCurrentUser, "Denied\\Sub");
  EXPECT_TRUE(RegistrySubkeyNames(RegistryView::kOwn, 3, "Denied").empty());
  EXPECT_TRUE(RegistrySubkeyNames(RegistryView::kOwn, 3, "Missing").empty());
}

}  // namespace
}  // namespace pelmora
