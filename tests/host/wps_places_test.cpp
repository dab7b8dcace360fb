// Where WPS is looked for beyond the machine-wide uninstall list, in which
// order, and what the user is (not) told on the way.
#include "workflow_fixture.h"

#include "app/finder.h"

namespace pelmora::testing {
namespace {

using ::testing::ElementsAre;

// Every place WPS records its version folder, in the order they are
// consulted, each naming a folder of its own.
struct Place {
  const char* what;
  std::string version_folder;
  WpsPlace place;
};
const std::vector<Place>& AllPlaces() {
  static const std::vector<Place> places = {
      {"machine-wide entry", "C:\\Program Files (x86)\\Kingsoft\\WPS Office\\11.1.0.1",
       WpsPlace::kMachineList},
      {"per-user entry", std::string(kWpsRoot) + "\\" + kWpsVersion, WpsPlace::kUserList},
      {"64-bit entry", "C:\\Program Files\\Kingsoft\\WPS Office\\12.1.0.30000",
       WpsPlace::kMachine64List},
      {"per-user InstallRoot", "D:\\User Root\\12.1.0.2", WpsPlace::kInstallRoot},
      {"machine-wide InstallRoot", "D:\\Machine Root\\12.1.0.3", WpsPlace::kInstallRoot},
      {"64-bit InstallRoot", "D:\\Root64\\12.1.0.4", WpsPlace::kInstallRoot},
      {"desktop shortcut", "E:\\Shortcut\\WPS\\12.1.0.5", WpsPlace::kDesktopShortcut},
  };
  return places;
}

std::string RootOf(const std::string& version_folder) {
  return version_folder.substr(0, version_folder.rfind('\\'));
}
std::string VersionOf(const std::string& version_folder) {
  return version_folder.substr(version_folder.rfind('\\') + 1);
}

class WpsPlacesTest : public WorkflowTest {
 protected:
  void SetUp() override {
    WorkflowTest::SetUp();
    InstallMathType();
    fake::SetWindows64(true);
  }

  // Installs the places from `first` on, each with its version folder.
  void InstallPlacesFrom(std::size_t first) {
    const std::vector<Place>& places = AllPlaces();
    for (std::size_t i = first; i < places.size(); ++i) InstallPlace(i);
  }

  void InstallPlace(std::size_t i) {
    const std::string& folder = AllPlaces()[i].version_folder;
    AddVersionFolder(RootOf(folder), VersionOf(folder));
    switch (i) {
      case 0: AddWpsEntryUnder(fake::kHkeyLocalMachine, RootOf(folder), VersionOf(folder)); break;
      case 1: AddWpsEntryUnder(fake::kHkeyCurrentUser, RootOf(folder), VersionOf(folder)); break;
      case 2: AddWpsEntryUnder(fake::kHkeyLocalMachine64, RootOf(folder), VersionOf(folder)); break;
      case 3: SetInstallRoot(fake::kHkeyCurrentUser, folder); break;
      case 4: SetInstallRoot(fake::kHkeyLocalMachine, folder); break;
      case 5: SetInstallRoot(fake::kHkeyLocalMachine64, folder); break;
      case 6:
        fake::Files().AddFile(Gbk(RootOf(folder) + "\\ksolaunch.exe"), "MZ");
        AddWpsShortcut("WPS Office.lnk", RootOf(folder) + "\\ksolaunch.exe");
        break;
    }
  }
};

class WpsPlaceOrderTest : public WpsPlacesTest,
                          public ::testing::WithParamInterface<std::size_t> {};

TEST_P(WpsPlaceOrderTest, TheFirstPlaceThatNamesWpsIsUsedAndTheLaterOnesAreNot) {
  const std::size_t first = GetParam();
  const Place& expected = AllPlaces()[first];
  SCOPED_TRACE(expected.what);
  InstallPlacesFrom(first);
  ui.answers = {0, 0};
  Run();

  EXPECT_THAT(ui.Titles(), ElementsAre(kVbaNoticeTitle, kVbaQuestionTitle, kDoneTitle));
  EXPECT_EQ(Landed(expected.version_folder, "MathPage.wll"), "wll-bytes");
  EXPECT_EQ(Landed(expected.version_folder, "startup\\MathPage.wll"), "wll-bytes");
  for (std::size_t later = first + 1; later < AllPlaces().size(); ++later) {
    EXPECT_EQ(Landed(AllPlaces()[later].version_folder, "MathPage.wll"), "(missing)")
        << AllPlaces()[later].what;
  }
  // Every registry place moves the bar to 40 as the machine-wide entry does;
  // the shortcut route never did.
  const bool by_shortcut = first == AllPlaces().size() - 1;
  const std::vector<int> expected_bar =
      by_shortcut ? std::vector<int>{20, 80, 100} : std::vector<int>{20, 40, 80, 100};
  EXPECT_EQ(ui.progress_history, expected_bar);

  // The removal and the check find the same folder, silently.
  ui = ScriptedUi();
  std::optional<WpsLocation> located = Find().wps;
  ASSERT_TRUE(located.has_value());
  EXPECT_EQ(located->folders.version, TextView(Gbk(expected.version_folder).c_str()));
  EXPECT_EQ(located->place, expected.place);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(ui.progress_history.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryPlace, WpsPlaceOrderTest, ::testing::Range<std::size_t>(0, 7));

TEST_F(WpsPlacesTest, On32BitWindowsThe64BitViewIsNotConsulted) {
  fake::SetWindows64(false);
  InstallPlace(2);  // 64-bit entry
  InstallPlace(5);  // 64-bit InstallRoot
  InstallPlace(6);  // shortcut
  ui.answers = {0, 0};
  Run();
  EXPECT_EQ(Landed(AllPlaces()[6].version_folder, "MathPage.wll"), "wll-bytes");
  EXPECT_EQ(Landed(AllPlaces()[2].version_folder, "MathPage.wll"), "(missing)");
  EXPECT_EQ(ui.progress_history, (std::vector<int>{20, 80, 100}));
}

TEST_F(WpsPlacesTest, EntriesThatAreNotWpsArePassedOverWithoutABox) {
  for (std::uint32_t root : {fake::kHkeyCurrentUser, fake::kHkeyLocalMachine64}) {
    AddEntryUnder(root, "Helper", "WPS Helper", "Someone", "C:\\H\\u.exe");
    AddEntryUnder(root, "MT6", "MathType 6.9", "Design Science", "C:\\MT6\\u.exe");
    AddEntryUnder(root, "{9AB}", "WPS Office", "Kingsoft Corp.", "C:\\F\\1.0\\utility\\u.exe");
    AddEntryUnder(root, "X}.KB1", "WPS Office", "Kingsoft Corp.", "C:\\K\\1.0\\utility\\u.exe");
    AddEntryUnder(root, "Blank", "WPS Office", "Kingsoft Corp.", u8"  　");
    AddEntryUnder(root, "NoPublisher", "WPS Office", "", "C:\\N\\1.0\\utility\\u.exe");
  }
  Run();
  // Only the desktop route's own box: none of the entries above was WPS.
  EXPECT_THAT(ui.Titles(), ElementsAre(u8"在桌面未寻找到WPS"));
  EXPECT_EQ(ui.progress_history, (std::vector<int>{20}));
}

TEST_F(WpsPlacesTest, TheLastWpsEntryOfAListWinsAsInTheMachineWideScan) {
  AddVersionFolder("C:\\A", "1.0");
  AddVersionFolder("C:\\B", "2.0");
  AddEntryUnder(fake::kHkeyCurrentUser, "Kingsoft Office", "WPS Office", "Kingsoft Corp.",
                "C:\\A\\1.0\\utility\\uninst.exe");
  AddEntryUnder(fake::kHkeyCurrentUser, "WPS Office 2", "WPS Office", "Kingsoft Corp.",
                "\"C:\\B\\2.0\\UTILITY\\uninst.exe\" /S");
  ui.answers = {0, 0};
  Run();
  EXPECT_EQ(Landed("C:\\B\\2.0", "MathPage.wll"), "wll-bytes");
  EXPECT_EQ(Landed("C:\\A\\1.0", "MathPage.wll"), "(missing)");
}

TEST_F(WpsPlacesTest, APerUserWpsWithoutStartupFolderGetsTheScansBox) {
  fake::Files().AddFolder(Gbk(std::string(kWpsRoot) + "\\" + kWpsVersion + "\\office6"));
  AddWpsEntryUnder(fake::kHkeyCurrentUser, kWpsRoot);
  Run();
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[0].title, u8"未找到你WPS的相关文件夹！");
  EXPECT_EQ(ui.boxes[0].progress, 40);
  EXPECT_EQ(ui.boxes[1].title, u8"复制文件失败");  // placement went on, as for the scan's WPS
}

TEST_F(WpsPlacesTest, InstallRootCountsOnlyForAnExistingFolderWithOrWithoutBackslash) {
  SetInstallRoot(fake::kHkeyCurrentUser, "D:\\Gone\\12.1.0.1");  // uninstalled, value left
  AddVersionFolder("D:\\WPS", "12.1.0.3");
  SetInstallRoot(fake::kHkeyLocalMachine, "D:\\WPS\\12.1.0.3\\");
  ui.answers = {0, 0};
  Run();
  EXPECT_EQ(Landed("D:\\WPS\\12.1.0.3", "startup\\MathType Commands 2016.dotm"), "dotm-bytes");
  EXPECT_EQ(Landed("D:\\WPS\\12.1.0.3", "MathPage.wll"), "wll-bytes");
}

TEST_F(WpsPlacesTest, InstallRootEndingInADoubleByteCharacterKeepsItsSecondByte) {
  // 0x95 0x5C is one GBK character whose second byte is a backslash's code.
  const std::string folder = "D:\\WPS\\12.1.0.3\x95\x5C";
  fake::Files().AddFolder(folder + "\\office6\\startup");
  fake::Registry().SetString(fake::kHkeyCurrentUser, "Software\\Kingsoft\\Office\\6.0\\Common",
                             "InstallRoot", folder + "\\");
  ui.answers = {0, 0};
  Run();
  EXPECT_EQ(fake::Files().ReadFile(folder + "\\office6\\MathPage.wll"), "wll-bytes");
  EXPECT_THAT(ui.Titles(), ElementsAre(kVbaNoticeTitle, kVbaQuestionTitle, kDoneTitle));
}

TEST_F(WpsPlacesTest, ClosingTheWindowWhileAListIsReadEndsTheRun) {
  InstallPlace(1);
  AddEntryUnder(fake::kHkeyCurrentUser, "Another", "Tool", "Someone", "C:\\T\\u.exe");
  InstallPlace(6);
  ui.close_at_pump = 3;  // the machine-wide scan of DSMT7 pumps twice
  Run();
  // Nothing is told once the window is gone.
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(ui.progress_history.empty());
  EXPECT_EQ(Landed(AllPlaces()[1].version_folder, "MathPage.wll"), "(missing)");
}

// The desktop, the last place: a machine with MathType and WPS's folders
// but no record of WPS.
class DesktopRouteTest : public WorkflowTest {
 protected:
  void SetUp() override {
    WorkflowTest::SetUp();
    InstallMathType();
    InstallWpsFolders();
  }
};

TEST_F(DesktopRouteTest, LastMatchingShortcutAndLastVersionFolderWin) {
  AddWpsShortcut("a wps.lnk", "C:\\Old\\ksolaunch.exe");
  AddWpsShortcut("Notes.lnk", "C:\\Elsewhere\\notes.exe");
  AddWpsShortcut("WPS Office.lnk");
  fake::Files().AddFolder("C:\\users\\tester\\Desktop\\wps.lnk");  // a folder: never considered
  fake::Files().AddFile("C:\\users\\tester\\Desktop\\wps.txt", "x");
  fake::Files().AddFolder(Gbk(std::string(kWpsRoot) + "\\11.1.0.9\\office6\\startup"));
  Run();
  // Listing order is by upper-cased name: 11.1.0.9 before 12.1.0.28505.
  EXPECT_EQ(fake::Files().ReadFile(Office6File("MathPage.wll")), "wll-bytes");
  EXPECT_EQ(Landed(std::string(kWpsRoot) + "\\11.1.0.9", "MathPage.wll"), "(missing)");
}

TEST_F(DesktopRouteTest, NoShortcutShowsC1AndLeavesTheBar) {
  Run();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].title, u8"在桌面未寻找到WPS");
  EXPECT_EQ(ui.boxes[0].text, u8"在桌面未寻找到WPS快捷方式，请为WPS在桌面创建快捷方式");
  EXPECT_EQ(ui.progress, kProgressMathTypeFound);
  EXPECT_FALSE(fake::Files().Exists(StartupFile("MathPage.wll")));
}

TEST_F(DesktopRouteTest, UnreadableShortcutOrNoVersionFolderIsReportedNotFatal) {
  fake::Files().AddFile("C:\\users\\tester\\Desktop\\wps broken.lnk", "not a link");
  Run();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].title, u8"未找到WPS的安装目录");
  EXPECT_EQ(ui.boxes[0].text,
            u8"无法从桌面快捷方式找到WPS的版本文件夹，请为WPS在桌面重新创建快捷方式");

  ui = ScriptedUi();
  fake::Files().AddFile("C:\\Bare\\launcher.exe", "MZ");
  AddWpsShortcut("WPS 2.lnk", "C:\\Bare\\launcher.exe");
  Run();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].title, u8"未找到WPS的安装目录");
}

class FinderTest : public WpsPlacesTest {};

TEST_F(FinderTest, TheMachineWideListIsReadSilentlyInListingOrder) {
  AddEntry("A MT6", "MathType 6.9", "Design Science", "C:\\MT6\\u.exe");
  AddEntry("B Helper", "WPS Helper", "Someone", "C:\\H\\u.exe");
  AddEntry("Kingsoft Office", "WPS Office", "Kingsoft Corp.",
           "\"C:\\Suite\\11.1.0.1\\utility\\uninst.exe\"");
  Findings found = Find();
  std::vector<ListFinding::Kind> kinds;
  for (const ListFinding& finding : found.machine_list) kinds.push_back(finding.kind);
  EXPECT_THAT(kinds, ElementsAre(ListFinding::Kind::kOtherMathType, ListFinding::Kind::kOtherWps,
                                 ListFinding::Kind::kMathType7, ListFinding::Kind::kWps));
  ASSERT_TRUE(found.wps.has_value());
  EXPECT_EQ(found.wps->folders.version, TextView("C:\\Suite\\11.1.0.1"));
  EXPECT_EQ(found.wps->place, WpsPlace::kMachineList);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(ui.progress_history.empty());
}

TEST_F(FinderTest, NoWpsAnywhereSaysWhyWithoutABox) {
  EXPECT_EQ(Find().wps_absence, WpsAbsence::kNoShortcut);
  fake::Files().AddFile("C:\\Bare\\launcher.exe", "MZ");
  AddWpsShortcut("WPS.lnk", "C:\\Bare\\launcher.exe");
  Findings found = Find();
  EXPECT_FALSE(found.wps.has_value());
  EXPECT_EQ(found.wps_absence, WpsAbsence::kNoVersionFolder);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(FinderTest, AClosedWindowGivesNothing) {
  InstallPlace(0);
  ui.open = false;
  RunContext run(ui, log);
  EXPECT_FALSE(FindInstallations(run).has_value());
}

}  // namespace
}  // namespace pelmora::testing
