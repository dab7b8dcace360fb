// The removal on the machines WPS really lives on: a WPS program still open
// (Retry once it has ended, Cancel), and WPS found per user, in the 64-bit
// view, through InstallRoot, or through the shortcut's newest version
// folder. Wherever WPS is found, its current folder's copies are listed
// first and those of the older folders beside it after them.
#include <string>
#include <vector>

#include "removal_fixture.h"

namespace pelmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kOlderVersion = "11.1.0.9584";

// --- WPS still open ------------------------------------------------------

class RemovalWhileWpsRunsTest : public RemovalTest {
 protected:
  void SetUp() override {
    RemovalTest::SetUp();
    RegisterWps();
    PlacePanel(kWpsVersion);
    PlacePanel(kOlderVersion);
  }
  static std::string CurrentWps() { return Gbk(VersionFolder(kWpsVersion) + "\\office6\\wps.exe"); }
  std::vector<std::string> AllCopies() const {
    return Join(PanelPaths(kWpsVersion), PanelPaths(kOlderVersion));
  }
};

TEST_F(RemovalWhileWpsRunsTest, RetryAfterWpsEndedGoesOnToTheQuestionAndTheRemoval) {
  fake::Processes().Start(CurrentWps());
  ui.answers = {kRetry, kRetry, kYes, 0};
  ui.on_box = [&](const BoxSeen& box) {
    // The first Retry comes while WPS still runs; the user closes it before
    // the second.
    if (box.title == kWpsRunningTitle && ui.boxes.size() == 2) fake::Processes().End(CurrentWps());
  };

  const RunOutcome outcome = Remove();

  EXPECT_EQ(outcome, RunOutcome::kDone);
  EXPECT_EQ(ExitCodeOf(outcome, true), 0);
  ASSERT_THAT(ui.Titles(),
              ElementsAre(kWpsRunningTitle, kWpsRunningTitle, kQuestionTitle, kRemovedTitle));
  EXPECT_EQ(ui.boxes[0].text,
            u8"请保存文档并关闭所有WPS窗口，然后点击“重试”继续；点击“取消”结束嵌入。");
  EXPECT_EQ(ui.boxes[0].style, kRetryCancelWarning);
  EXPECT_EQ(ui.boxes[2].text, Question(AllCopies()));
  for (const std::string& path : AllCopies()) EXPECT_FALSE(Exists(path)) << path;
  EXPECT_THAT(ui.progress_history, IsEmpty());
  EXPECT_EQ(fake::Processes().open_snapshots(), 0);
}

// Any program a user opens from any version of this WPS holds the copies
// the removal would delete, the older folders' included.
class RemovalCancelledTest : public RemovalWhileWpsRunsTest,
                             public ::testing::WithParamInterface<const char*> {};

TEST_P(RemovalCancelledTest, CancelOrNoAnswerRemovesNothingAndFails) {
  fake::Processes().Start(Gbk(std::string(kWpsRoot) + GetParam()));
  for (int answer : {kCancel, 0 /* the box could not be shown */}) {
    SCOPED_TRACE(answer);
    ui = ScriptedUi();
    ui.answers = {answer};

    const RunOutcome outcome = Remove();

    EXPECT_EQ(outcome, RunOutcome::kNotDone);
    EXPECT_EQ(ExitCodeOf(outcome, true), 1);
    EXPECT_THAT(ui.Titles(), ElementsAre(kWpsRunningTitle));
    for (const std::string& path : AllCopies()) EXPECT_TRUE(Exists(path)) << path;
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryPlaceAProgramRunsFrom, RemovalCancelledTest,
    ::testing::Values("\\12.1.0.28505\\office6\\wps.exe", "\\11.1.0.9584\\office6\\ET.EXE",
                      "\\wpsoffice.exe"));

TEST_F(RemovalWhileWpsRunsTest, ClosingTheWindowDuringTheQuestionRemovesNothing) {
  fake::Processes().Start(CurrentWps());
  ui.answers = {kRetry};
  ui.on_box = [&](const BoxSeen&) { ui.open = false; };
  EXPECT_EQ(Remove(), RunOutcome::kStopped);
  EXPECT_THAT(ui.Titles(), ElementsAre(kWpsRunningTitle));
  for (const std::string& path : AllCopies()) EXPECT_TRUE(Exists(path)) << path;
}

// Closing WPS for nothing would only cost the user their open documents.
TEST_F(RemovalTest, NothingToRemoveNeverAsksToCloseWps) {
  RegisterWps();
  fake::Processes().Start(Gbk(VersionFolder(kWpsVersion) + "\\office6\\wps.exe"));
  EXPECT_EQ(Remove(), RunOutcome::kDone);
  EXPECT_THAT(ui.Titles(), ElementsAre(kQuestionTitle));
  EXPECT_EQ(ui.boxes[0].text, u8"WPS中没有找到已嵌入的MathType面板。");
}

TEST_F(RemovalWhileWpsRunsTest, ServicesAndAnotherWpsAreNotWaitedFor) {
  fake::Processes().Start(Gbk(VersionFolder(kWpsVersion) + "\\office6\\wpscloudsvr.exe"));
  fake::Processes().Start("C:\\Other WPS\\12.1.0.1\\office6\\wps.exe");
  ui.answers = {kYes, 0};
  EXPECT_EQ(Remove(), RunOutcome::kDone);
  EXPECT_THAT(ui.Titles(), ElementsAre(kQuestionTitle, kRemovedTitle));
}

// --- Wherever WPS is found -----------------------------------------------

enum class Source { kUserEntry, kEntry64, kUserInstallRoot, kInstallRoot64, kShortcut };

struct FoundWps {
  const char* what;
  Source source;
  std::string root;
  std::string current;  // the version folder the place leads to
  std::string older;    // kept by an update, listed before or after it
};

void PrintTo(const FoundWps& wps, std::ostream* out) { *out << wps.what; }

const char* const kRoot64 = "C:\\Program Files\\Kingsoft\\WPS Office";

const FoundWps kFoundWps[] = {
    {"per-user entry", Source::kUserEntry, kWpsRoot, "12.1.0.28505", "11.1.0.9584"},
    {"64-bit entry", Source::kEntry64, kRoot64, "12.1.0.28505", "12.1.0.16412"},
    {"per-user InstallRoot", Source::kUserInstallRoot, "D:\\WPS Office", "12.1.0.28505",
     "11.1.0.9584"},
    {"64-bit InstallRoot", Source::kInstallRoot64, kRoot64, "12.1.0.28505", "12.1.0.16412"},
    // Listed last, 11.1.0.9999 is the folder the shortcut route used to take.
    {"shortcut", Source::kShortcut, "D:\\Kingsoft\\WPS Office", "11.1.0.10000", "11.1.0.9999"},
};

class RemovalFindsWpsTest : public RemovalTest, public ::testing::WithParamInterface<FoundWps> {
 protected:
  void SetUp() override {
    RemovalTest::SetUp();
    fake::SetWindows64(true);
  }

  // Only the place under test leads to WPS's version folder.
  void InstallSource(const FoundWps& wps) {
    const std::string current = wps.root + "\\" + wps.current;
    switch (wps.source) {
      case Source::kUserEntry:
        AddWpsEntryUnder(fake::kHkeyCurrentUser, wps.root, wps.current);
        break;
      case Source::kEntry64:
        AddWpsEntryUnder(fake::kHkeyLocalMachine64, wps.root, wps.current);
        break;
      case Source::kUserInstallRoot:
        SetInstallRoot(fake::kHkeyCurrentUser, current + "\\");
        break;
      case Source::kInstallRoot64:
        SetInstallRoot(fake::kHkeyLocalMachine64, current);
        break;
      case Source::kShortcut:
        fake::Files().AddFile(Gbk(wps.root + "\\ksolaunch.exe"), "MZ");
        AddWpsShortcut("WPS Office.lnk", wps.root + "\\ksolaunch.exe");
        break;
    }
  }

  // A WPS the desktop shortcut leads to, which the places before it hide.
  static constexpr const char* kShortcutWps = "E:\\Shortcut WPS\\12.1.0.5";
  void InstallShortcutWps() {
    fake::Files().AddFile("E:\\Shortcut WPS\\ksolaunch.exe", "MZ");
    AddWpsShortcut("WPS Office.lnk", "E:\\Shortcut WPS\\ksolaunch.exe");
    PlacePanelIn(kShortcutWps);
  }
};

TEST_P(RemovalFindsWpsTest, CurrentFolderFirstThenTheOlderOneAndNothingElsewhere) {
  const FoundWps& wps = GetParam();
  InstallSource(wps);
  if (wps.source != Source::kShortcut) InstallShortcutWps();
  PlacePanelIn(wps.root + "\\" + wps.current);
  PlacePanelIn(wps.root + "\\" + wps.older);
  ui.answers = {kYes, 0};

  const RunOutcome outcome = Remove();

  const std::vector<std::string> copies =
      Join(PanelPathsIn(wps.root + "\\" + wps.current), PanelPathsIn(wps.root + "\\" + wps.older));
  EXPECT_EQ(outcome, RunOutcome::kDone);
  ASSERT_THAT(ui.Titles(), ElementsAre(kQuestionTitle, kRemovedTitle));
  EXPECT_EQ(ui.boxes[0].text, Question(copies));
  for (const std::string& path : copies) EXPECT_FALSE(Exists(path)) << path;
  if (wps.source != Source::kShortcut) {
    for (const std::string& path : PanelPathsIn(kShortcutWps)) EXPECT_TRUE(Exists(path)) << path;
  }
}

TEST_P(RemovalFindsWpsTest, ThisWpsOpenIsAskedAbout) {
  const FoundWps& wps = GetParam();
  InstallSource(wps);
  PlacePanelIn(wps.root + "\\" + wps.current);
  fake::Processes().Start(Gbk(wps.root + "\\" + wps.current + "\\office6\\wps.exe"));
  ui.answers = {kCancel};
  EXPECT_EQ(Remove(), RunOutcome::kNotDone);
  EXPECT_THAT(ui.Titles(), ElementsAre(kWpsRunningTitle));
  for (const std::string& path : PanelPathsIn(wps.root + "\\" + wps.current)) {
    EXPECT_TRUE(Exists(path)) << path;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryPlace, RemovalFindsWpsTest, ::testing::ValuesIn(kFoundWps));

// On 32-bit Windows the 64-bit view is the machine-wide list again: what
// only the 64-bit view names is no WPS there.
TEST_F(RemovalFindsWpsTest, On32BitWindowsThe64BitPlacesLeadNowhere) {
  fake::SetWindows64(false);
  for (const FoundWps& wps : kFoundWps) {
    if (wps.source == Source::kEntry64 || wps.source == Source::kInstallRoot64) {
      InstallSource(wps);
      PlacePanelIn(wps.root + "\\" + wps.current);
    }
  }
  const RunOutcome outcome = Remove();
  EXPECT_EQ(outcome, RunOutcome::kNoWps);
  EXPECT_EQ(ExitCodeOf(outcome, true), 1);
  EXPECT_THAT(ui.Titles(), ElementsAre(u8"在桌面未寻找到WPS"));
  for (const std::string& path : PanelPathsIn(std::string(kRoot64) + "\\12.1.0.28505")) {
    EXPECT_TRUE(Exists(path)) << path;
  }
}

}  // namespace
}  // namespace pelmora::testing
