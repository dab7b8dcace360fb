// Other accounts against the real registry: a hive file made by the test
// machines' make_hive.exe, loaded, read through the registry readers and
// unloaded again; the prefix's own account, logged on, read in place.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/system/user_desktop.h"
#include "runtime/system/user_hive.h"
#include "scratch_folder_win32.h"

namespace pelmora {
namespace {

constexpr char kSid[] = "S-1-5-21-1-2-3-5001";
constexpr char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr char kInstallRoot[] = "Software\\Kingsoft\\Office\\6.0\\Common\\InstallRoot";

DWORD RunMakeHive(const std::string& arguments) {
  std::string program = PELMORA_MAKE_HIVE;
  for (char& c : program) c = c == '/' ? '\\' : c;
  std::string line = "\"" + program + "\" " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return GetLastError();
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

TEST(UserHiveWin32, AHiveFileMadeForATestMachineIsLoadedReadAndUnloaded) {
  testing::ScratchFolder profile;
  profile.Write("hive.tsv",
                std::string(kUninstall) + "\\Kingsoft Office\tDisplayName\tsz\tWPS Office\n" +
                    "Software\\Kingsoft\\Office\\6.0\\Common\tInstallRoot\tsz\tD:\\WPS\\12.1\n" +
                    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders\t"
                    "Desktop\texpand_sz\t%USERPROFILE%\\Desk\n");
  ASSERT_EQ(
      RunMakeHive("save \"" + (profile / "hive.tsv") + "\" \"" + (profile / "NTUSER.DAT") + "\""),
      0u);

  const UserProfile li{Text::From(kSid), Text::From(profile.path().c_str())};
  const std::string loaded_name = std::string("Pelmora.") + kSid;
  HKEY key = nullptr;
  HiveFailure failure;
  {
    UserHive hive = UserHive::Open(li, &failure);
    ASSERT_TRUE(hive.loaded_here()) << failure.error;
    EXPECT_EQ(ReadRegistryTextIn(RegistryView::kOwn, UserHive::kRoot, hive.PathOf(kInstallRoot)),
              "D:\\WPS\\12.1");
    std::vector<Text> entries =
        RegistrySubkeyNames(RegistryView::kOwn, UserHive::kRoot, hive.PathOf(kUninstall));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0], "Kingsoft Office");
    EXPECT_EQ(UserDesktopFolder(li, hive), (profile.path() + "\\Desk\\").c_str());
  }
  EXPECT_EQ(RegOpenKeyExA(HKEY_USERS, loaded_name.c_str(), 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND)
      << "left loaded";
}

TEST(UserHiveWin32, ThePrefixsOwnAccountIsListedAndReadInPlace) {
  std::vector<UserProfile> profiles = ListUserProfiles();
  ASSERT_FALSE(profiles.empty());
  char own_profile[MAX_PATH];
  ASSERT_NE(GetEnvironmentVariableA("USERPROFILE", own_profile, MAX_PATH), 0u);
  EXPECT_EQ(profiles[0].folder, own_profile);
  HiveFailure failure;
  EXPECT_FALSE(UserHive::Open(profiles[0], &failure).loaded_here());
  EXPECT_EQ(failure.problem, HiveProblem::kNone);
}

}  // namespace
}  // namespace pelmora
