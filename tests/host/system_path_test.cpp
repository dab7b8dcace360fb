// Paths from the system are split in the process's code page: under 1252
// every byte is a letter of its own, under 936 a lead byte owns the byte
// after it, even a 0x5C.
#include <gtest/gtest.h>

#include "fakes/code_page_fake.h"
#include "fakes/fake_machine.h"
#include "runtime/system/files.h"
#include "runtime/system/registry.h"
#include "runtime/system/run_directory.h"
#include "runtime/system/system_path.h"

namespace pelmora {
namespace {

using fake::ScopedSystemCodePage;
using fake::SystemCodePage;

// "Café" in code page 1252; in 936, 0xE9 0x5C is one character.
constexpr const char kCafeProgram[] = "D:\\Tools\\Caf\xE9\\pelmora.exe";

class SystemPathTest : public ::testing::Test {
 protected:
  void SetUp() override { fake::Files().Clear(); }
  void TearDown() override {
    RecordRunDirectory("");
    fake::Files().Clear();
  }
};

TEST_F(SystemPathTest, RunDirectoryKeepsAnAccentedLastLetterUnderAWesternCodePage) {
  {
    ScopedSystemCodePage western(SystemCodePage::kWestern1252);
    RecordRunDirectory(kCafeProgram);
    EXPECT_STREQ(RunDirectoryBytes(), "D:\\Tools\\Caf\xE9");
    EXPECT_STREQ(ExecutableFileName(), "pelmora.exe");
  }
  // The same bytes on a Chinese Windows hold one character 0xE9 0x5C.
  RecordRunDirectory(kCafeProgram);
  EXPECT_STREQ(RunDirectoryBytes(), "D:\\Tools");
  EXPECT_STREQ(ExecutableFileName(), "Caf\xE9\\pelmora.exe");
}

TEST_F(SystemPathTest, SpecialFolderGetsOneBackslashInEitherCodePage) {
  fake::Files().SetSpecialFolder(3, "C:\\Caf\xE9\\");
  fake::Files().SetSpecialFolder(5, "C:\\Caf\xE9");
  {
    ScopedSystemCodePage western(SystemCodePage::kWestern1252);
    EXPECT_STREQ(GetSpecialFolder(3).c_str(), "C:\\Caf\xE9\\");
    EXPECT_STREQ(GetSpecialFolder(5).c_str(), "C:\\Caf\xE9\\");
  }
  // Under 936 the final 0x5C belongs to the double-byte character.
  EXPECT_STREQ(GetSpecialFolder(3).c_str(), "C:\\Caf\xE9\\\\");
}

TEST_F(SystemPathTest, OnlyBackslashesOfTheirOwnAreCutFromAFolder) {
  EXPECT_STREQ(WithoutTrailingBackslash("C:\\Program Files\\MathType\\").c_str(),
               "C:\\Program Files\\MathType");
  EXPECT_STREQ(WithoutTrailingBackslash("D:\\WPS\\\\").c_str(), "D:\\WPS");
  EXPECT_STREQ(WithoutTrailingBackslash("D:\\WPS").c_str(), "D:\\WPS");
  EXPECT_STREQ(WithoutTrailingBackslash("").c_str(), "");
  {
    ScopedSystemCodePage western(SystemCodePage::kWestern1252);
    EXPECT_STREQ(WithoutTrailingBackslash("C:\\Caf\xE9\\").c_str(), "C:\\Caf\xE9");
  }
  // Under 936 the final 0x5C is the second byte of a character.
  EXPECT_STREQ(WithoutTrailingBackslash("C:\\Caf\xE9\\").c_str(), "C:\\Caf\xE9\\");
}

TEST_F(SystemPathTest, RegistryPathSplitsAtTheSystemsBackslash) {
  ScopedSystemCodePage western(SystemCodePage::kWestern1252);
  RegistryPath path = SplitRegistryPath("SOFTWARE\\Caf\xE9\\DisplayName");
  EXPECT_STREQ(path.key.c_str(), "SOFTWARE\\Caf\xE9");
  EXPECT_STREQ(path.value_name.c_str(), "DisplayName");
}

TEST_F(SystemPathTest, FolderListingOfAnAccentedFolderUnderAWesternCodePage) {
  ScopedSystemCodePage western(SystemCodePage::kWestern1252);
  fake::Files().AddFolder("C:\\Caf\xE9\\12.1.0.1");
  TextArray list = PathDirList("C:\\Caf\xE9\\");
  ASSERT_EQ(list.ElementCount(), 1);
  EXPECT_STREQ(list.At(1, {0, 0}).c_str(), "12.1.0.1");
}

}  // namespace
}  // namespace pelmora
