#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fakes/fake_machine.h"
#include "fakes/gbk.h"
#include "runtime/system/registry.h"

namespace pelmora {
namespace {

using fake::Registry;

constexpr char kUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { Registry().Clear(); }
  void TearDown() override {
    EXPECT_EQ(Registry().open_keys(), 0) << "a key was left open";
    EXPECT_EQ(Registry().stray_closes(), 0) << "a key that was not open was closed";
    Registry().Clear();
  }
};

TEST(RegistryPathTest, RootNumbersMapAndEverythingElseIsCurrentUser) {
  EXPECT_EQ(RootKeyOf(kRootClassesRoot), fake::kHkeyClassesRoot);
  EXPECT_EQ(RootKeyOf(kRootCurrentConfig), fake::kHkeyCurrentConfig);
  EXPECT_EQ(RootKeyOf(kRootCurrentUser), fake::kHkeyCurrentUser);
  EXPECT_EQ(RootKeyOf(kRootLocalMachine), fake::kHkeyLocalMachine);
  EXPECT_EQ(RootKeyOf(kRootUsers), fake::kHkeyUsers);
  for (int other : {0, 6, 9, -1, 0x7FFFFFFF}) EXPECT_EQ(RootKeyOf(other), fake::kHkeyCurrentUser);
}

TEST(RegistryPathTest, SplitsAtTheLastBackslash) {
  RegistryPath p = SplitRegistryPath("A\\B\\DisplayName");
  EXPECT_EQ(p.key, "A\\B");
  EXPECT_EQ(p.value_name, "DisplayName");

  RegistryPath default_value = SplitRegistryPath("A\\B\\");
  EXPECT_EQ(default_value.key, "A\\B");
  EXPECT_TRUE(default_value.value_name.empty());

  RegistryPath bare = SplitRegistryPath("Name");
  EXPECT_TRUE(bare.key.empty());
  EXPECT_EQ(bare.value_name, "Name");
}

TEST(RegistryPathTest, TrailByte5CInsideADoubleByteCharacterIsNoSeparator) {
  // 0x95 0x5C is one GBK character whose second byte is a backslash's code.
  RegistryPath p = SplitRegistryPath("Key\\\x95\x5C" "Sub\\Value");
  EXPECT_STREQ(p.key.c_str(), "Key\\\x95\x5C" "Sub");
  EXPECT_STREQ(p.value_name.c_str(), "Value");

  RegistryPath whole = SplitRegistryPath("Root\\\x95\x5C");
  EXPECT_STREQ(whole.key.c_str(), "Root");
  EXPECT_STREQ(whole.value_name.c_str(), "\x95\x5C");

  // A lead byte just before the end takes nothing with it.
  RegistryPath cut = SplitRegistryPath("Root\\x\x95");
  EXPECT_STREQ(cut.key.c_str(), "Root");
  EXPECT_STREQ(cut.value_name.c_str(), "x\x95");
}

TEST_F(RegistryTest, ReadsStringsUnderTheMappedRootWithReadAccessOnly) {
  Registry().SetString(fake::kHkeyLocalMachine, std::string(kUninstall) + "\\MathType", "DisplayName",
                       "MathType 7");
  std::string path = std::string(kUninstall) + "\\MathType\\DisplayName";
  EXPECT_EQ(ReadRegistryText(kRootLocalMachine, path.c_str()), "MathType 7");
  EXPECT_EQ(Registry().last_access(), 0x20019u | 0x0200u) << "the 32-bit view, named";
  EXPECT_TRUE(ReadRegistryText(kRootCurrentUser, path.c_str()).empty()) << "HKCU must not see HKLM";
  EXPECT_TRUE(RegistryItemExists(kRootLocalMachine, path.c_str()));
}

TEST_F(RegistryTest, UnknownRootNumbersReadFromCurrentUser) {
  Registry().SetString(fake::kHkeyCurrentUser, "Software\\P", "v", "user");
  EXPECT_EQ(ReadRegistryText(0, "Software\\P\\v"), "user");
  EXPECT_EQ(ReadRegistryText(9, "Software\\P\\v"), "user");
}

TEST_F(RegistryTest, OtherTypesGiveTheDefaultButStillExist) {
  Registry().SetValue(fake::kHkeyCurrentUser, "K", "dword", fake::kRegDword, std::string("\x01\0\0\0", 4));
  Registry().SetValue(fake::kHkeyCurrentUser, "K", "bin", fake::kRegBinary, "ab");
  Registry().SetValue(fake::kHkeyCurrentUser, "K", "multi", fake::kRegMultiSz, std::string("a\0b\0\0", 5));
  for (const char* name : {"K\\dword", "K\\bin", "K\\multi"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(ReadRegistryText(kRootCurrentUser, name).empty());
    EXPECT_TRUE(ReadRegistryText(kRootCurrentUser, name).is_null());
    EXPECT_EQ(ReadRegistryText(kRootCurrentUser, name, TextView("fallback")), "fallback");
    EXPECT_TRUE(RegistryItemExists(kRootCurrentUser, name));
  }
}

TEST_F(RegistryTest, MissingKeysValuesAndDeniedKeysGiveTheDefault) {
  Registry().SetString(fake::kHkeyCurrentUser, "Locked", "v", "secret");
  Registry().DenyAccess(fake::kHkeyCurrentUser, "Locked");
  for (const char* path : {"Nowhere\\v", "Locked\\v", "Locked\\missing"}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(ReadRegistryText(kRootCurrentUser, path, TextView("d")), "d");
    EXPECT_FALSE(RegistryItemExists(kRootCurrentUser, path));
  }
  // A given but empty default is the empty (null) text.
  EXPECT_TRUE(ReadRegistryText(kRootCurrentUser, "Nowhere\\v", TextView("")).is_null());
}

TEST_F(RegistryTest, ZeroBytesIsAFailureWhileALoneNulIsTheEmptyText) {
  Registry().SetValue(fake::kHkeyCurrentUser, "K", "zero", fake::kRegSz, "");
  Registry().SetValue(fake::kHkeyCurrentUser, "K", "nul", fake::kRegSz, std::string(1, '\0'));
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, "K\\zero", TextView("d")), "d");
  EXPECT_TRUE(ReadRegistryText(kRootCurrentUser, "K\\nul", TextView("d")).empty());
  EXPECT_TRUE(RegistryItemExists(kRootCurrentUser, "K\\zero"));
}

TEST_F(RegistryTest, DataWithoutNulStopsAtTheEndOfTheData) {
  Registry().SetValue(fake::kHkeyCurrentUser, "K", "raw", fake::kRegSz, "abc");
  Registry().SetValue(fake::kHkeyCurrentUser, "K", "inner", fake::kRegSz, std::string("ab\0cd\0", 6));
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, "K\\raw"), "abc");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, "K\\inner"), "ab");
}

TEST_F(RegistryTest, LongValuesAreReadWholeWithOrWithoutNul) {
  std::string long_text(70000, 'x');
  Registry().SetValue(fake::kHkeyCurrentUser, "K", "long", fake::kRegSz, long_text + '\0');
  Registry().SetValue(fake::kHkeyCurrentUser, "K", "exact", fake::kRegSz, std::string(512, 'y'));
  Registry().SetValue(fake::kHkeyCurrentUser, "K", "over", fake::kRegSz, std::string(513, 'z'));
  Registry().SetValue(fake::kHkeyCurrentUser, "K", "bin", fake::kRegBinary, long_text);
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, "K\\long").size(), 70000u);
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, "K\\exact"), std::string(512, 'y').c_str());
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, "K\\over"), std::string(513, 'z').c_str());
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, "K\\bin", TextView("d")), "d");
}

TEST_F(RegistryTest, ExpandStringsAreExpandedFromTheEnvironment) {
  Registry().SetEnvironment("PELMORA_DIR", "C:\\Suite");
  Registry().SetValue(fake::kHkeyCurrentUser, "K", "e", fake::kRegExpandSz,
                      std::string("%pelmora_dir%\\bin;%UNSET%\0", 26));
  Registry().SetValue(fake::kHkeyCurrentUser, "K", "raw", fake::kRegExpandSz, "%PELMORA_DIR%");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, "K\\e"), "C:\\Suite\\bin;%UNSET%");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, "K\\raw"), "C:\\Suite");
}

TEST_F(RegistryTest, DefaultValueAndRootValues) {
  Registry().SetString(fake::kHkeyCurrentUser, "Software\\App", "", "unnamed");
  Registry().CreateKey(fake::kHkeyCurrentUser, "Software\\Bare");
  Registry().SetString(fake::kHkeyCurrentUser, "", "TopLevel", "at root");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, "Software\\App\\"), "unnamed");
  EXPECT_TRUE(RegistryItemExists(kRootCurrentUser, "Software\\App\\"));
  EXPECT_FALSE(RegistryItemExists(kRootCurrentUser, "Software\\Bare\\"));
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, "TopLevel"), "at root");
}

TEST_F(RegistryTest, GbkKeyNameWithTrailBackslashByte) {
  std::string key = "Software\\\x95\x5C";
  Registry().SetString(fake::kHkeyCurrentUser, key, "v", "found");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, (key + "\\v").c_str()), "found");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, (key + "\\").c_str(), TextView("d")), "d");
}

TEST_F(RegistryTest, NamesIgnoreAsciiCaseOnly) {
  Registry().SetString(fake::kHkeyCurrentUser, "Soft\\Key", "DisplayName", "x");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, "SOFT\\key\\displayname"), "x");
}

class RegistryEnumerationTest : public RegistryTest {};

TEST_F(RegistryEnumerationTest, EnumeratesSubkeysSortedByUpperCaseNameThenNoMoreItems) {
  for (const char* name : {"b", "11.1.0.2", "A", "11.1.0.10", "11.1.0.1"}) {
    Registry().CreateKey(fake::kHkeyLocalMachine, std::string(kUninstall) + "\\" + name);
  }
  port::RegistryKey key = 0;
  ASSERT_EQ(CallRegOpenKeyA(kHkeyLocalMachine, kUninstall, &key), 0);
  Text buffer = Text::From("                                        ");
  std::string names;
  std::uint32_t index = 0;
  while (CallRegEnumKeyA(key, index, buffer.mutable_block(), 40) == 0) {
    names += std::string(buffer.c_str()) + "|";
    ++index;
  }
  EXPECT_EQ(names, "11.1.0.1|11.1.0.10|11.1.0.2|A|b|");
  EXPECT_EQ(CallRegEnumKeyA(key, index, buffer.mutable_block(), 40), kErrorNoMoreItems);
  EXPECT_EQ(CallRegCloseKey(key), 0);
}

TEST_F(RegistryEnumerationTest, NamesThatDoNotFitReportMoreData) {
  std::string long_name(255, 'n');
  Registry().CreateKey(fake::kHkeyLocalMachine, "E\\" + long_name);
  Registry().CreateKey(fake::kHkeyLocalMachine, "E\\" + std::string(254, 'z'));
  port::RegistryKey key = 0;
  ASSERT_EQ(CallRegOpenKeyA(kHkeyLocalMachine, "E", &key), 0);
  char buffer[256];
  EXPECT_EQ(CallRegEnumKeyA(key, 0, buffer, 255), kErrorMoreData);
  EXPECT_EQ(CallRegEnumKeyA(key, 1, buffer, 255), 0);
  EXPECT_EQ(std::strlen(buffer), 254u);
  CallRegCloseKey(key);
}

TEST_F(RegistryTest, KeysThatFailToOpenAreNeverClosed) {
  Registry().SetString(fake::kHkeyCurrentUser, "Denied", "v", "x");
  Registry().DenyAccess(fake::kHkeyCurrentUser, "Denied");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, "Denied\\v", TextView("d")), "d");
  EXPECT_FALSE(RegistryItemExists(kRootCurrentUser, "Missing\\v"));
  EXPECT_EQ(Registry().opens(), 0);
}

TEST_F(RegistryEnumerationTest, OpeningAMissingKeyFails) {
  port::RegistryKey key = 0;
  EXPECT_NE(CallRegOpenKeyA(kHkeyLocalMachine, "No\\Such\\Key", &key), 0);
  EXPECT_EQ(Registry().open_keys(), 0);
}

}  // namespace
}  // namespace pelmora
