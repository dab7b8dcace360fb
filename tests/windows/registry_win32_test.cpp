// The registry commands against the real registry, under a scratch key
// that each test creates and removes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "runtime/system/registry.h"

namespace pelmora {
namespace {

constexpr char kScratch[] = "Software\\PelmoraTest";

class RegistryWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(key_);
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
  }

  void Set(const char* name, DWORD type, const std::string& data, const char* subkey = nullptr) {
    HKEY target = key_;
    if (subkey != nullptr) {
      ASSERT_EQ(RegCreateKeyExA(key_, subkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr),
                ERROR_SUCCESS);
    }
    ASSERT_EQ(RegSetValueExA(target, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                             static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    if (subkey != nullptr) RegCloseKey(target);
  }
  void SetText(const char* name, const std::string& text) { Set(name, REG_SZ, text + '\0'); }

  static std::string Path(const std::string& rest) { return std::string(kScratch) + "\\" + rest; }

  HKEY key_ = nullptr;
};

// The SDK's root keys are pointer casts, which a compile-time check cannot
// look at; the numbers the portable code uses are compared here instead.
TEST(RegistryRoots, RootNumbersReachTheSystemsRootKeys) {
  const auto number = [](HKEY root) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(root));
  };
  EXPECT_EQ(RootKeyOf(kRootClassesRoot), number(HKEY_CLASSES_ROOT));
  EXPECT_EQ(RootKeyOf(kRootCurrentConfig), number(HKEY_CURRENT_CONFIG));
  EXPECT_EQ(RootKeyOf(kRootCurrentUser), number(HKEY_CURRENT_USER));
  EXPECT_EQ(RootKeyOf(kRootLocalMachine), number(HKEY_LOCAL_MACHINE));
  EXPECT_EQ(RootKeyOf(kRootUsers), number(HKEY_USERS));
  // Widened, they are the SDK's handles to the last bit, in either build.
  const auto handle = [](HKEY root) { return reinterpret_cast<port::RegistryKey>(root); };
  EXPECT_EQ(RootKeyHandle(kHkeyLocalMachine), handle(HKEY_LOCAL_MACHINE));
  EXPECT_EQ(RootKeyHandle(kHkeyCurrentUser), handle(HKEY_CURRENT_USER));
  EXPECT_EQ(RootKeyHandle(kHkeyClassesRoot), handle(HKEY_CLASSES_ROOT));
}

TEST_F(RegistryWin32, ReadsAStringUnderTheMappedRoot) {
  SetText("Name", "MathType 7");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, Path("Name").c_str()), "MathType 7");
  EXPECT_EQ(ReadRegistryText(0, Path("Name").c_str()), "MathType 7");
  EXPECT_EQ(ReadRegistryText(9, Path("Name").c_str()), "MathType 7");
  EXPECT_TRUE(ReadRegistryText(kRootLocalMachine, Path("Name").c_str()).empty());
  EXPECT_TRUE(RegistryItemExists(kRootCurrentUser, Path("Name").c_str()));
}

TEST_F(RegistryWin32, ValuesOfOtherTypesGiveTheDefaultButExist) {
  DWORD one = 1;
  Set("Dword", REG_DWORD, std::string(reinterpret_cast<const char*>(&one), 4));
  Set("Binary", REG_BINARY, "\x01\x02");
  Set("Multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
  for (const char* name : {"Dword", "Binary", "Multi"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(ReadRegistryText(kRootCurrentUser, Path(name).c_str()).is_null());
    EXPECT_EQ(ReadRegistryText(kRootCurrentUser, Path(name).c_str(), TextView("fallback")), "fallback");
    EXPECT_TRUE(RegistryItemExists(kRootCurrentUser, Path(name).c_str()));
  }
  EXPECT_FALSE(RegistryItemExists(kRootCurrentUser, Path("Missing").c_str()));
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, "Software\\PelmoraTest\\NoKey\\v", TextView("d")), "d");
}

TEST_F(RegistryWin32, ExpandStringsTakeTheEnvironmentVariable) {
  ASSERT_TRUE(SetEnvironmentVariableA("PELMORA_TEST_DIR", "C:\\Suite"));
  Set("Expand", REG_EXPAND_SZ, std::string("%PELMORA_TEST_DIR%\\bin") + '\0');
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, Path("Expand").c_str()), "C:\\Suite\\bin");
  SetEnvironmentVariableA("PELMORA_TEST_DIR", nullptr);
}

TEST_F(RegistryWin32, ZeroBytesGiveTheDefaultAndALoneNulTheEmptyText) {
  Set("Zero", REG_SZ, "");
  Set("Nul", REG_SZ, std::string(1, '\0'));
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, Path("Zero").c_str(), TextView("d")), "d");
  Text nul = ReadRegistryText(kRootCurrentUser, Path("Nul").c_str(), TextView("d"));
  EXPECT_TRUE(nul.is_null()) << nul.c_str();
}

TEST_F(RegistryWin32, DataWithoutNulEndsWithTheData) {
  Set("Raw", REG_SZ, "abc");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, Path("Raw").c_str()), "abc");
}

TEST_F(RegistryWin32, TrailingBackslashAddressesTheDefaultValue) {
  Set("", REG_SZ, std::string("unnamed") + '\0', "WithDefault");
  Set("Other", REG_SZ, std::string("x") + '\0', "WithoutDefault");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, Path("WithDefault\\").c_str()), "unnamed");
  EXPECT_TRUE(RegistryItemExists(kRootCurrentUser, Path("WithDefault\\").c_str()));
  EXPECT_FALSE(RegistryItemExists(kRootCurrentUser, Path("WithoutDefault\\").c_str()));
}

TEST_F(RegistryWin32, PathWithoutBackslashReadsTheRootKeysValue) {
  constexpr char kName[] = "PelmoraTestRootValue";
  ASSERT_EQ(RegSetValueExA(HKEY_CURRENT_USER, kName, 0, REG_SZ,
                           reinterpret_cast<const BYTE*>("at root"), 8),
            ERROR_SUCCESS);
  Text value = ReadRegistryText(kRootCurrentUser, kName);
  bool exists = RegistryItemExists(kRootCurrentUser, kName);
  RegDeleteValueA(HKEY_CURRENT_USER, kName);
  EXPECT_EQ(value, "at root");
  EXPECT_TRUE(exists);
}

TEST_F(RegistryWin32, GbkKeyNameWhoseSecondByteIsABackslashCode) {
  if (GetACP() != 936) GTEST_SKIP() << "needs ANSI code page 936";
  Set("v", REG_SZ, std::string("found") + '\0', "\x95\x5C");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, Path("\x95\x5C\\v").c_str()), "found");
  EXPECT_FALSE(RegistryItemExists(kRootCurrentUser, Path("\x95\x5C\\").c_str()));
}

TEST_F(RegistryWin32, DllCommandsEnumerateSubkeysInOrderThenNoMoreItems) {
  for (const char* name : {"b", "11.1.0.2", "A", "11.1.0.10"}) Set("v", REG_SZ, "x", name);
  port::RegistryKey key = 0;
  ASSERT_EQ(CallRegOpenKeyA(kHkeyCurrentUser, kScratch, &key), 0);
  ASSERT_NE(key, 0u);
  char buffer[256];
  std::string names;
  std::uint32_t index = 0;
  while (CallRegEnumKeyA(key, index, buffer, 255) == 0) {
    names += std::string(buffer) + "|";
    ++index;
  }
  EXPECT_EQ(names, "11.1.0.10|11.1.0.2|A|b|");
  EXPECT_EQ(CallRegEnumKeyA(key, index, buffer, 255), kErrorNoMoreItems);
  EXPECT_EQ(CallRegCloseKey(key), 0);
}

TEST_F(RegistryWin32, DllEnumerationReportsNamesTooLongForTheBuffer) {
  std::string long_name(255, 'n');
  Set("v", REG_SZ, "x", long_name.c_str());
  port::RegistryKey key = 0;
  ASSERT_EQ(CallRegOpenKeyA(kHkeyCurrentUser, kScratch, &key), 0);
  char buffer[256];
  EXPECT_EQ(CallRegEnumKeyA(key, 0, buffer, 255), kErrorMoreData);
  CallRegCloseKey(key);
}

TEST_F(RegistryWin32, DllOpenOfTheUninstallKeyAndOfAMissingKey) {
  port::RegistryKey key = 0;
  ASSERT_EQ(CallRegOpenKeyA(kHkeyLocalMachine,
                            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", &key),
            0);
  EXPECT_EQ(CallRegCloseKey(key), 0);
  EXPECT_EQ(CallRegOpenKeyA(kHkeyLocalMachine, "SOFTWARE\\PelmoraNoSuchKey", &key),
            ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace pelmora
