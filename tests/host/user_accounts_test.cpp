// The other accounts of the machine: their profiles, their hives (in
// place for a logged-on user, else loaded and unloaded again) and their
// desktops.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_machine.h"
#include "fakes/fake_system.h"
#include "runtime/system/hive_port.h"
#include "runtime/system/user_desktop.h"
#include "runtime/system/user_hive.h"
#include "runtime/system/exit_routines.h"

namespace pelmora {
namespace {

using fake::Registry;

constexpr char kSid[] = "S-1-5-21-7-7-7-1001";
constexpr char kFolder[] = "C:\\Users\\li";
constexpr char kHiveFile[] = "C:\\Users\\li\\NTUSER.DAT";
constexpr char kCommon[] = "Software\\Kingsoft\\Office\\6.0\\Common";

class UserAccountsTest : public ::testing::Test {
 protected:
  void SetUp() override { Clear(); }
  void TearDown() override { EXPECT_EQ(Registry().open_keys(), 0) << "a key was left open"; }
  static void Clear() {
    Registry().Clear();
    fake::Files().Clear();
    fake::ClearSystem();
  }
  static UserProfile Li() { return {Text::From(kSid), Text::From(kFolder)}; }
};

TEST_F(UserAccountsTest, ProfilesAreTheUsersEntriesOfTheSystemsOwnView) {
  fake::SetWindows64(true);
  const std::string list = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\";
  const auto entry = [&](std::uint32_t root, const std::string& sid, const std::string& path) {
    Registry().SetValue(root, list + sid, "ProfileImagePath", fake::kRegExpandSz, path + '\0');
  };
  entry(fake::kHkeyLocalMachine64, "S-1-5-18", "%systemroot%\\system32\\config\\systemprofile");
  entry(fake::kHkeyLocalMachine64, "S-1-5-21-7-7-7-1002", "%SystemDrive%\\Users\\wang");
  entry(fake::kHkeyLocalMachine64, kSid, kFolder);
  entry(fake::kHkeyLocalMachine64, std::string(kSid) + ".bak", "C:\\Users\\TEMP");
  entry(fake::kHkeyLocalMachine, "S-1-5-21-9-9-9-500", "C:\\Users\\in the 32-bit view");
  Registry().CreateKey(fake::kHkeyLocalMachine64, list + "S-1-5-21-7-7-7-1003");
  Registry().SetEnvironment("SystemDrive", "D:");

  std::vector<std::string> seen;
  for (const UserProfile& profile : ListUserProfiles()) {
    seen.push_back(std::string(profile.sid.c_str()) + "=" + profile.folder.c_str());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"S-1-5-21-7-7-7-1001=C:\\Users\\li",
                                            "S-1-5-21-7-7-7-1002=D:\\Users\\wang",
                                            "S-1-5-21-7-7-7-1003="}));
}

TEST_F(UserAccountsTest, AnotherUsersHiveFileIsLoadedUnderOurNameUntilItsOwnerEnds) {
  Registry().SetHiveString(kHiveFile, kCommon, "InstallRoot", "D:\\WPS");
  HiveFailure failure;
  UserHive moved;
  {
    UserHive hive = UserHive::Open(Li(), &failure);
    ASSERT_TRUE(hive.loaded_here());
    moved = std::move(hive);
  }
  EXPECT_EQ(Registry().loaded_hives(), std::vector<std::string>{"Pelmora.S-1-5-21-7-7-7-1001"});
  EXPECT_EQ(
      ReadRegistryTextIn(RegistryView::kOwn, UserHive::kRoot,
                         moved.PathOf("Software\\Kingsoft\\Office\\6.0\\Common\\InstallRoot")),
      "D:\\WPS");
  EXPECT_EQ(Registry().last_access(), port::kKeyRead) << "the users' keys are read without a view";
  moved = UserHive();
  EXPECT_TRUE(Registry().loaded_hives().empty());
  EXPECT_EQ(Registry().hive_unloads(), 1);
}

TEST_F(UserAccountsTest, AHiveThatCannotBeLoadedSaysWhyAndLeavesNothingLoaded) {
  struct Case {
    void (*machine)();
    HiveProblem problem;
    std::uint32_t error;
  };
  const Case cases[] = {
      {[] {}, HiveProblem::kNoProfileFolder, 3},
      {[] { fake::Files().AddFolder(kFolder); }, HiveProblem::kNoHiveFile, 2},
      {[] { Registry().FailHiveLoad(kHiveFile, 32); }, HiveProblem::kLoadRefused, 32},
      {[] {
         Registry().SetHiveString(kHiveFile, kCommon, "InstallRoot", "D:\\WPS");
         Registry().WithholdPrivileges();
       },
       HiveProblem::kLoadRefused, 1314},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    Clear();
    c.machine();
    HiveFailure failure;
    EXPECT_FALSE(UserHive::Open(Li(), &failure));
    EXPECT_EQ(failure.problem, c.problem);
    EXPECT_EQ(failure.error, c.error);
    EXPECT_TRUE(Registry().loaded_hives().empty());
  }
}

// A fatal report ends the program through the exit routines without ending
// the owners; a run ended from outside leaves its hive loaded for the next.
TEST_F(UserAccountsTest, HivesLeftLoadedAreUnloadedOnceByTheProgramsEndOrTheNextRun) {
  Registry().SetHiveString(kHiveFile, kCommon, "InstallRoot", "D:\\WPS");
  HiveFailure failure;
  {
    UserHive hive = UserHive::Open(Li(), &failure);
    RunExitRoutines();
    EXPECT_TRUE(Registry().loaded_hives().empty());
  }
  EXPECT_EQ(Registry().hive_unloads(), 1);

  ASSERT_EQ(port::EnableProcessPrivilege(port::kRestorePrivilege), 0);
  ASSERT_EQ(
      port::LoadRegistryHive(RootKeyHandle(kHkeyUsers), "Pelmora.S-1-5-21-7-7-7-1001", kHiveFile),
      0);
  EXPECT_TRUE(UserHive::Open(Li(), &failure).loaded_here());
  EXPECT_TRUE(Registry().loaded_hives().empty());
}

TEST_F(UserAccountsTest, ALoggedOnUsersDesktopTakesTheirProfileForUserProfile) {
  struct Case {
    std::uint32_t type;  // 0: no value
    const char* stored;
    const char* folder;
    const char* desktop;
  };
  const Case cases[] = {
      {fake::kRegExpandSz, "%userprofile%\\OneDrive\\Desktop", kFolder,
       "C:\\Users\\li\\OneDrive\\Desktop\\"},
      {fake::kRegExpandSz, "%SystemDrive%\\Desks\\li\\", kFolder, "D:\\Desks\\li\\"},
      {fake::kRegExpandSz, "%USERPROFILE%\\Desktop", "C:\\Users\\a%SystemDrive%",
       "C:\\Users\\a%SystemDrive%\\Desktop\\"},
      {fake::kRegSz, "E:\\Desk", kFolder, "E:\\Desk\\"},
      {0, "", kFolder, "C:\\Users\\li\\Desktop\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    Clear();
    Registry().SetEnvironment("USERPROFILE", "C:\\Windows\\system32\\config\\systemprofile");
    Registry().SetEnvironment("SystemDrive", "D:");
    const std::string key =
        std::string(kSid) +
        "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    Registry().CreateKey(fake::kHkeyUsers, key);
    if (c.type != 0)
      Registry().SetValue(fake::kHkeyUsers, key, "Desktop", c.type, std::string(c.stored) + '\0');
    const UserProfile profile{Text::From(kSid), Text::From(c.folder)};
    HiveFailure failure;
    UserHive hive = UserHive::Open(profile, &failure);
    EXPECT_FALSE(hive.loaded_here());
    EXPECT_EQ(UserDesktopFolder(profile, hive), c.desktop);
  }
  EXPECT_EQ(Registry().hive_loads() + Registry().hive_unloads(), 0);
}

}  // namespace
}  // namespace pelmora
