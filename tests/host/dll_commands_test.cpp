#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/library_fake.h"
#include "runtime/system/dll_commands.h"
#include "runtime/system/library_port.h"

namespace pelmora {
namespace {

using Attempts = std::vector<std::string>;

class DllResolution : public ::testing::Test {
 protected:
  void SetUp() override {
    ReleaseDllCommands();
    fake::Loader().Reset();
  }
  void TearDown() override {
    ReleaseDllCommands();
    fake::Loader().Reset();
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

// The program runs elevated: a library planted beside it or in the current
// folder would run with administrator rights, so a bare name, whatever it
// is, only ever comes from the system folder.
TEST_F(DllResolution, BareNamesLoadFromTheSystemFolderOnly) {
  for (const char* name : {"advapi32", "ADVAPI32.DLL", "mylib.dll"}) {
    SCOPED_TRACE(name);
    loader().Reset();
    loader().files[std::string("C:\\App\\") + name] = {"Work"};
    loader().files[name] = {"Work"};
    loader().system_libraries[name] = {"Work"};
    EXPECT_TRUE(Resolves(name, "Work"));
    EXPECT_EQ(loader().attempts, (Attempts{std::string("system:") + name}));

    // Even when the system copy cannot be loaded, the planted one is not used.
    loader().system_libraries.clear();
    loader().attempts.clear();
    EXPECT_FALSE(Resolves(name, "Work"));
    EXPECT_EQ(loader().attempts, (Attempts{std::string("system:") + name}));
  }
}

TEST_F(DllResolution, ALoadedLibraryWithoutTheExportIsNotLeftLoaded) {
  loader().system_libraries["mylib.dll"] = {"Other"};
  EXPECT_FALSE(Resolves("mylib.dll", "Work"));
  EXPECT_EQ(loader().unloaded, (Attempts{"mylib.dll"}));
}

TEST_F(DllResolution, FullPathsLoadExactlyAsGivenAndRelativeFoldersNotAtAll) {
  for (const char* path : {"D:\\lib\\x.dll", "\\\\server\\share\\x.dll"}) {
    loader().attempts.clear();
    loader().files[path] = {"Work"};
    EXPECT_TRUE(Resolves(path, "Work")) << path;
    EXPECT_EQ(loader().attempts, (Attempts{std::string("file:") + path}));
  }
  loader().attempts.clear();
  EXPECT_FALSE(Resolves("Z:\\none.dll", "Work"));
  EXPECT_EQ(loader().attempts, (Attempts{"file:Z:\\none.dll"}));
  // Where these lead depends on the folder the search starts in.
  for (const char* relative : {"lib\\x.dll", "..\\x.dll", "D:x.dll", "lib/x.dll"}) {
    loader().attempts.clear();
    loader().files[relative] = {"Work"};
    loader().system_libraries[relative] = {"Work"};
    EXPECT_FALSE(Resolves(relative, "Work")) << relative;
    EXPECT_TRUE(loader().attempts.empty()) << relative;
  }
}

TEST_F(DllResolution, HashNamesAreOrdinalsOfTheirLowSixteenBits) {
  loader().system_libraries["mylib.dll"] = {"#42", "#1"};
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
