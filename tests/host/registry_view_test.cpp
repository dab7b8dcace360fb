// Reading another registry view and listing subkeys: what the places
// beyond the machine-wide uninstall scan are read with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_machine.h"
#include "runtime/system/registry.h"
#include "runtime/system/registry_port.h"

namespace pelmora {
namespace {

using fake::Registry;

constexpr std::uint32_t kWow64_64Key = 0x0100;

std::vector<std::string> Names(const std::vector<Text>& texts) {
  std::vector<std::string> names;
  for (const Text& text : texts) names.emplace_back(text.c_str());
  return names;
}

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

// A 64-bit build of the program must read exactly the keys the 32-bit one
// reads: every open below HKEY_LOCAL_MACHINE names its view, since the
// fake (like a 64-bit build's default) shows the 64-bit view to an open
// that names none.
TEST_F(RegistryViewTest, EveryReadNamesItsViewExceptTheUsersSharedKeys) {
  constexpr std::uint32_t kWow64_32Key = 0x0200;
  EXPECT_EQ(ReadAccessIn(RegistryView::kOwn, kHkeyLocalMachine), 0x20019u | kWow64_32Key);
  EXPECT_EQ(ReadAccessIn(RegistryView::kOwn, kHkeyClassesRoot), 0x20019u | kWow64_32Key);
  EXPECT_EQ(ReadAccessIn(RegistryView::kOwn, kHkeyCurrentUser), 0x20019u);
  EXPECT_EQ(ReadAccessIn(RegistryView::kOwn, kHkeyUsers), 0x20019u);
  EXPECT_EQ(ReadAccessIn(RegistryView::k64Bit, kHkeyLocalMachine), 0x20019u | kWow64_64Key);

  Registry().SetString(fake::kHkeyLocalMachine, "SOFTWARE\\K", "V", "32-bit view");
  Registry().SetString(fake::kHkeyLocalMachine64, "SOFTWARE\\K", "V", "64-bit view");
  Registry().CreateKey(fake::kHkeyLocalMachine, "SOFTWARE\\K\\Only32");
  Registry().CreateKey(fake::kHkeyLocalMachine64, "SOFTWARE\\K\\Only64");
  EXPECT_EQ(ReadRegistryText(kRootLocalMachine, "SOFTWARE\\K\\V"), "32-bit view");
  EXPECT_EQ(Registry().last_access(), 0x20019u | kWow64_32Key);
  EXPECT_TRUE(RegistryItemExists(kRootLocalMachine, "SOFTWARE\\K\\V"));
  EXPECT_EQ(Names(RegistrySubkeyNames(RegistryView::kOwn, kRootLocalMachine, "SOFTWARE\\K")),
            std::vector<std::string>{"Only32"});
  EXPECT_EQ(Registry().last_access(), 0x20019u | kWow64_32Key);
}

// Root keys reach the system sign-extended, and what it hands back comes
// back whole: the fake knows its roots only sign-extended and gives out
// handles above 4 GiB.
TEST_F(RegistryViewTest, HandlesKeepTheirFullWidthBothWays) {
  if (sizeof(port::RegistryKey) < 8) GTEST_SKIP() << "needs a 64-bit host";
  EXPECT_EQ(RootKeyHandle(kHkeyLocalMachine), static_cast<port::RegistryKey>(0xFFFFFFFF80000002ull));
  EXPECT_EQ(RootKeyHandle(kHkeyCurrentUser), static_cast<port::RegistryKey>(0xFFFFFFFF80000001ull));

  Registry().SetString(fake::kHkeyLocalMachine, "SOFTWARE\\K", "V", "read");
  port::RegistryKey zero_extended = 0;
  EXPECT_NE(port::OpenRegistryKey(kHkeyLocalMachine, "SOFTWARE\\K", 0x20019u, &zero_extended), 0)
      << "a root widened without its sign names no key";

  port::RegistryKey key = 0;
  ASSERT_EQ(CallRegOpenKeyA(kHkeyLocalMachine, "SOFTWARE", &key), 0);
  EXPECT_GT(key, static_cast<port::RegistryKey>(0xFFFFFFFFu)) << "the handle came back cut short";
  char name[256];
  EXPECT_EQ(CallRegEnumKeyA(key, 0, name, 255), 0);
  EXPECT_STREQ(name, "K");
  EXPECT_EQ(CallRegCloseKey(key), 0);
  EXPECT_EQ(ReadRegistryText(kRootLocalMachine, "SOFTWARE\\K\\V"), "read");
}

TEST_F(RegistryViewTest, MissingValuesAndOtherTypesReadAsTheEmptyText) {
  Registry().SetValue(fake::kHkeyCurrentUser, "S\\K", "Dword", fake::kRegDword, "\x01\0\0\0");
  EXPECT_TRUE(ReadRegistryTextIn(RegistryView::kOwn, 3, "S\\K\\Dword").empty());
  EXPECT_TRUE(RegistryItemExistsIn(RegistryView::kOwn, 3, "S\\K\\Dword"));
  EXPECT_TRUE(ReadRegistryTextIn(RegistryView::kOwn, 3, "S\\K\\Missing").empty());
  EXPECT_TRUE(ReadRegistryTextIn(RegistryView::k64Bit, 3, "S\\None\\V").empty());
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
