#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/library_fake.h"
#include "runtime/system/dll_commands.h"
#include "runtime/system/library_port.h"
#include "runtime/system/run_directory.h"

namespace pelmora {
namespace {

using Attempts = std::vector<std::string>;

class DllResolution : public ::testing::Test {
 protected:
  void SetUp() override {
    ReleaseDllCommands();
    fake::Loader().Reset();
    RecordRunDirectory("C:\\App\\pelmora.exe");
  }
  void TearDown() override {
    ReleaseDllCommands();
    fake::Loader().Reset();
    RecordRunDirectory("");
  }

  static fake::FakeLoader& loader() { return fake::Loader(); }

  // Resolves and unloads again; the attempts stay recorded.
  static bool Resolves(const char* library, const char* exported) {
    void* handle = nullptr;
    void* f = ResolveDeclaration({library, exported}, &handle);
    EXPECT_EQ(f == nullptr, handle == nullptr);
    if (handle != nullptr) port::UnloadLibrary(handle);
    return f != nullptr;
  }
};

TEST_F(DllResolution, BareNameTriesTheFoldersInOrderThenTheSearch) {
  loader().configured_folder = "D:\\cfg";
  loader().second_folder = "E:\\more";
  loader().searchable["mylib.dll"] = {"Work"};
  EXPECT_TRUE(Resolves("mylib.dll", "Work"));
  EXPECT_EQ(loader().attempts, (Attempts{"file:D:\\cfg\\mylib.dll", "file:C:\\App\\mylib.dll",
                                         "file:E:\\more\\mylib.dll", "search:mylib.dll"}));
}

TEST_F(DllResolution, UnsetFoldersAreSkippedAndTheFirstLoadWins) {
  loader().files["C:\\App\\mylib.dll"] = {"Work"};
  loader().searchable["mylib.dll"] = {"Work"};
  EXPECT_TRUE(Resolves("mylib.dll", "Work"));
  EXPECT_EQ(loader().attempts, (Attempts{"file:C:\\App\\mylib.dll"}));
}

TEST_F(DllResolution, ALoadedLibraryWithoutTheExportIsNotLeftLoaded) {
  loader().files["C:\\App\\mylib.dll"] = {"Other"};
  loader().searchable["mylib.dll"] = {"Work"};
  EXPECT_FALSE(Resolves("mylib.dll", "Work"));
  // The first successful load decides; the search is not tried afterwards.
  EXPECT_EQ(loader().attempts, (Attempts{"file:C:\\App\\mylib.dll"}));
  EXPECT_EQ(loader().unloaded, (Attempts{"C:\\App\\mylib.dll"}));
}

TEST_F(DllResolution, ColonNamesLoadExactlyAsGiven) {
  loader().files["D:\\lib\\x.dll"] = {"Work"};
  loader().searchable["D:\\lib\\x.dll"] = {"Work"};
  EXPECT_TRUE(Resolves("D:\\lib\\x.dll", "Work"));
  EXPECT_EQ(loader().attempts, (Attempts{"file:D:\\lib\\x.dll"}));
  loader().attempts.clear();
  EXPECT_FALSE(Resolves("Z:\\none.dll", "Work"));
  EXPECT_EQ(loader().attempts, (Attempts{"file:Z:\\none.dll"}));
}

TEST_F(DllResolution, HashNamesAreOrdinalsOfTheirLowSixteenBits) {
  loader().files["C:\\App\\mylib.dll"] = {"#42", "#1"};
  EXPECT_TRUE(Resolves("mylib.dll", "#42"));
  EXPECT_TRUE(Resolves("mylib.dll", "#65537"));  // 0x10001 -> ordinal 1
  EXPECT_FALSE(Resolves("mylib.dll", "#43"));
}

TEST_F(DllResolution, NoLibraryTriesTheSixSystemLibrariesInOrder) {
  loader().system_libraries["Kernel32.dll"] = {"GetTickCount"};
  loader().system_libraries["Gdi32.dll"] = {};
  loader().system_libraries["User32.dll"] = {"MessageBoxA"};
  loader().system_libraries["Advapi32.dll"] = {"MessageBoxA"};
  loader().files["C:\\App\\User32.dll"] = {"MessageBoxA"};

  void* handle = nullptr;
  EXPECT_NE(ResolveDeclaration({"", "MessageBoxA"}, &handle), nullptr);
  EXPECT_EQ(loader().attempts,
            (Attempts{"system:Kernel32.dll", "system:Gdi32.dll", "system:User32.dll"}));
  EXPECT_EQ(loader().unloaded, (Attempts{"Kernel32.dll", "Gdi32.dll"}));
  port::UnloadLibrary(handle);

  loader().attempts.clear();
  loader().unloaded.clear();
  EXPECT_FALSE(Resolves("", "Missing"));
  EXPECT_EQ(loader().attempts,
            (Attempts{"system:Kernel32.dll", "system:Gdi32.dll", "system:User32.dll",
                      "system:Advapi32.dll", "system:Mpr.dll", "system:Shell32.dll"}));
  EXPECT_EQ(loader().unloaded,
            (Attempts{"Kernel32.dll", "Gdi32.dll", "User32.dll", "Advapi32.dll"}));
}

// The program runs elevated: a system library planted beside it would run
// with administrator rights, so system names only ever come from the system
// folder, whatever the spelling.
TEST_F(DllResolution, SystemLibraryNamesNeverLoadFromTheProgramFolder) {
  for (const char* name : {"advapi32", "advapi32.dll", "ADVAPI32.DLL", "Kernel32.dll", "shell32"}) {
    SCOPED_TRACE(name);
    loader().Reset();
    loader().configured_folder = "D:\\cfg";
    loader().second_folder = "E:\\more";
    for (const char* folder : {"C:\\App\\", "D:\\cfg\\", "E:\\more\\"}) {
      loader().files[std::string(folder) + name] = {"RegOpenKeyA"};
    }
    loader().searchable[name] = {"RegOpenKeyA"};
    loader().system_libraries[name] = {"RegOpenKeyA"};
    EXPECT_TRUE(Resolves(name, "RegOpenKeyA"));
    EXPECT_EQ(loader().attempts, (Attempts{std::string("system:") + name}));

    // Even when the system copy cannot be loaded, the planted one is not used.
    loader().system_libraries.clear();
    loader().attempts.clear();
    EXPECT_FALSE(Resolves(name, "RegOpenKeyA"));
    EXPECT_EQ(loader().attempts, (Attempts{std::string("system:") + name}));
  }
}

TEST_F(DllResolution, NamesMerelyResemblingSystemLibrariesSearchNormally) {
  loader().files["C:\\App\\advapi32x.dll"] = {"F"};
  loader().files["C:\\App\\myadvapi32.dll"] = {"F"};
  EXPECT_TRUE(Resolves("advapi32x.dll", "F"));
  EXPECT_TRUE(Resolves("myadvapi32.dll", "F"));
}

TEST_F(DllResolution, TheDeclaredTableIsTheThreeRegistryCalls) {
  EXPECT_STREQ(DeclarationOf(kRegOpenKeyA).library, "advapi32.dll");
  EXPECT_STREQ(DeclarationOf(kRegOpenKeyA).exported, "RegOpenKeyA");
  EXPECT_STREQ(DeclarationOf(kRegEnumKeyA).library, "advapi32");
  EXPECT_STREQ(DeclarationOf(kRegEnumKeyA).exported, "RegEnumKeyA");
  EXPECT_STREQ(DeclarationOf(kRegCloseKey).library, "advapi32.dll");
  EXPECT_STREQ(DeclarationOf(kRegCloseKey).exported, "RegCloseKey");
}

TEST_F(DllResolution, EachIndexResolvesOnceAndStaysCached) {
  loader().system_libraries["advapi32.dll"] = {"RegOpenKeyA", "RegCloseKey"};
  loader().system_libraries["advapi32"] = {"RegEnumKeyA"};
  void* open = ResolveDllCommand(kRegOpenKeyA);
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(loader().attempts.size(), 1u);
  EXPECT_EQ(ResolveDllCommand(kRegOpenKeyA), open);
  EXPECT_EQ(loader().attempts.size(), 1u) << "a cached index must not load again";
  EXPECT_NE(ResolveDllCommand(kRegEnumKeyA), nullptr);
  EXPECT_NE(ResolveDllCommand(kRegCloseKey), nullptr);
  EXPECT_NE(ResolveDllCommand(kRegCloseKey), open);
  EXPECT_EQ(loader().attempts,
            (Attempts{"system:advapi32.dll", "system:advapi32", "system:advapi32.dll"}));
  EXPECT_TRUE(loader().unloaded.empty()) << "resolved libraries stay loaded";

  ReleaseDllCommands();
  EXPECT_EQ(loader().unloaded.size(), 3u);
  EXPECT_NE(ResolveDllCommand(kRegOpenKeyA), nullptr);
  EXPECT_EQ(loader().attempts.size(), 4u) << "released entries resolve again";
}

TEST_F(DllResolution, MissingMessagesNameLibraryAndExport) {
  EXPECT_STREQ(kDllMissingWithLibrary(), "无法找到指定DLL库文件“%s”中的输出命令“%s”");
  EXPECT_STREQ(kDllMissingWithoutLibrary(), "无法找到指定DLL库文件中的输出命令“%s”");
}

using DllResolutionDeathTest = DllResolution;

TEST_F(DllResolutionDeathTest, UnloadableLibraryIsAFatalReport) {
  // The fake loader knows no library at all.
  EXPECT_EXIT((void)ResolveDllCommand(kRegOpenKeyA), ::testing::ExitedWithCode(255),
              u8"运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“advapi32.dll”中的输出命令"
              u8"“RegOpenKeyA”\r\n\r\n0, 0\r\n");
}

TEST_F(DllResolutionDeathTest, MissingExportIsAFatalReport) {
  EXPECT_EXIT(
      {
        loader().system_libraries["advapi32"] = {"RegOpenKeyA"};
        (void)ResolveDllCommand(kRegEnumKeyA);
      },
      ::testing::ExitedWithCode(255),
      u8"错误信息：无法找到指定DLL库文件“advapi32”中的输出命令“RegEnumKeyA”\r\n");
}

}  // namespace
}  // namespace pelmora
