// The removal of the panel: which files it chooses, its boxes and their
// order, what it deletes and what it leaves, its exit codes, and that it
// never runs inside an embedding (nor an embedding inside it).
#include <string>
#include <vector>

#include "app/panel_inspection.h"
#include "fakes/code_page_fake.h"
#include "removal_fixture.h"

namespace pelmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr const char* kOlderVersion = "11.1.0.9584";
constexpr const char* kOldestVersion = "11.1.0.10132";  // listed first: '1' < '9'

std::vector<std::string> Utf8Paths(const std::vector<Text>& paths) {
  std::vector<std::string> out;
  for (const Text& path : paths) out.push_back(fake::GbkToUtf8(path.c_str()));
  return out;
}

// --- Which files ---------------------------------------------------------

TEST_F(RemovalTest, CurrentVersionFolderFirstThenEveryOtherOneWithOffice6) {
  PlacePanel(kWpsVersion);
  PlacePanel(kOldestVersion);
  // An older folder may keep only some of the copies.
  InstallWpsFolders(kWpsRoot, kOlderVersion);
  fake::Files().AddFile(Gbk(PanelPaths(kOlderVersion)[2]), "old");

  std::vector<Text> found = InspectPanel(WpsFoldersOf(Gbk(VersionFolder(kWpsVersion)).c_str()), nullptr).CopiesOnDisk();
  EXPECT_THAT(Utf8Paths(found),
              ElementsAreArray(Join(Join(PanelPaths(kWpsVersion), PanelPaths(kOldestVersion)),
                                    {PanelPaths(kOlderVersion)[2]})));
}

TEST_F(RemovalTest, NothingButTheThreePlacedFilesIsChosen) {
  const std::string office6 = VersionFolder(kWpsVersion) + "\\office6";
  fake::Files().AddFile(Gbk(office6 + "\\startup\\MathPage.wll"), "panel");
  for (const std::string& other :
       {office6 + "\\startup\\MyMacros.dotm", office6 + "\\startup\\MathPage.wll.bak",
        office6 + "\\startup\\Copy of MathPage.wll", office6 + "\\addons\\MathPage.wll",
        office6 + "\\MathType Commands 2016.dotm", VersionFolder(kWpsVersion) + "\\MathPage.wll",
        std::string(kWpsRoot) + "\\MathPage.wll",
        // Beside the version folder but without office6: not a version folder.
        std::string(kWpsRoot) + "\\backup\\startup\\MathPage.wll",
        std::string(kWpsRoot) + "\\backup\\office6.zip"}) {
    fake::Files().AddFile(Gbk(other), "x");
  }
  // A file named office6 is not the folder, and a folder with a panel
  // file's name is not a file.
  fake::Files().AddFile(Gbk(std::string(kWpsRoot) + "\\9.1\\office6"), "x");
  fake::Files().AddFolder(Gbk(office6 + "\\MathPage.wll"));

  std::vector<Text> found = InspectPanel(WpsFoldersOf(Gbk(VersionFolder(kWpsVersion)).c_str()), nullptr).CopiesOnDisk();
  EXPECT_THAT(Utf8Paths(found), ElementsAre(office6 + "\\startup\\MathPage.wll"));
}

TEST_F(RemovalTest, NamesMatchIgnoringCaseButNeverThroughAShortName) {
  const std::string startup = VersionFolder(kWpsVersion) + "\\office6\\startup";
  fake::Files().AddFile(Gbk(startup + "\\mathpage.WLL"), "panel");
  // A search for the exact name would also hit this file by its short name.
  const std::string office6 = VersionFolder(kWpsVersion) + "\\office6";
  fake::Files().AddFile(Gbk(office6 + "\\MathPage (user's).wll"), "user");
  fake::Files().SetShortName(Gbk(office6 + "\\MathPage (user's).wll"), "MathPage.wll");

  std::vector<Text> found = InspectPanel(WpsFoldersOf(Gbk(VersionFolder(kWpsVersion)).c_str()), nullptr).CopiesOnDisk();
  // Shown as the file system spells it.
  EXPECT_THAT(Utf8Paths(found), ElementsAre(startup + "\\mathpage.WLL"));
}

// The removal takes away what an embedding placed: every copy it made,
// wherever the pair came from.
TEST_F(RemovalTest, EverythingAnEmbeddingPlacedIsListedAndRemoved) {
  InstallMathType();
  AddMathType64Pair();
  AddWpsShortcut();
  for (const char* program : {fake::kProgram32, fake::kProgram64}) {
    SCOPED_TRACE(program);
    fake::Files().AddFile(Office6File("wps.exe"), program);
    ui = ScriptedUi();
    ui.answers = {0, 0};
    Run();
    ASSERT_THAT(ui.Titles(), ElementsAre(kVbaNoticeTitle, kVbaQuestionTitle, kDoneTitle));

    ui = ScriptedUi();
    ui.answers = {kYes, 0};
    EXPECT_EQ(Remove(), RunOutcome::kDone);
    EXPECT_EQ(ui.boxes[0].text, Question(PanelPaths(kWpsVersion)));
    for (const std::string& path : PanelPaths(kWpsVersion)) EXPECT_FALSE(Exists(path)) << path;
    EXPECT_TRUE(Exists(VersionFolder(kWpsVersion) + "\\office6\\wps.exe"));
  }
}

// --- Boxes, deletion and exit codes --------------------------------------

TEST_F(RemovalTest, YesRemovesEveryCopyAndNothingElse) {
  InstallMathType();
  RegisterWps();
  PlacePanel(kWpsVersion);
  PlacePanel(kOldestVersion);
  const std::string own_file = VersionFolder(kWpsVersion) + "\\office6\\startup\\MyMacros.dotm";
  fake::Files().AddFile(Gbk(own_file), "user");
  ui.answers = {kYes, 0};

  const RunOutcome outcome = Remove();

  const std::vector<std::string> all = Join(PanelPaths(kWpsVersion), PanelPaths(kOldestVersion));
  EXPECT_EQ(outcome, RunOutcome::kDone);
  EXPECT_EQ(ExitCodeOf(outcome, true), 0);
  ASSERT_THAT(ui.Titles(), ElementsAre(kQuestionTitle, kRemovedTitle));
  EXPECT_EQ(ui.boxes[0].text, Question(all));
  EXPECT_EQ(ui.boxes[0].style, kYesNoQuestion);
  EXPECT_EQ(ui.boxes[1].text, u8"已从WPS中移除MathType面板，重新打开WPS后生效。");
  EXPECT_EQ(ui.boxes[1].style, 0);
  for (const std::string& path : all) EXPECT_FALSE(Exists(path)) << path;
  EXPECT_TRUE(Exists(own_file));
  EXPECT_TRUE(Exists(VersionFolder(kWpsVersion) + "\\office6\\startup"));
  EXPECT_EQ(fake::Files().ReadFile(Gbk(std::string(kMathTypeFolder) + "\\MathPage\\32\\MathPage.wll")),
            "wll-bytes");
  // Nothing of the window changes but the boxes.
  EXPECT_THAT(ui.progress_history, IsEmpty());
}

TEST_F(RemovalTest, AnythingButYesKeepsEveryFile) {
  RegisterWps();
  PlacePanel(kWpsVersion);
  for (int answer : {kNo, 0}) {
    ui = ScriptedUi();
    ui.answers = {answer};
    const RunOutcome outcome = Remove();
    EXPECT_EQ(outcome, RunOutcome::kNotDone);
    EXPECT_EQ(ExitCodeOf(outcome, true), 1);
    EXPECT_THAT(ui.Titles(), ElementsAre(kQuestionTitle));
    for (const std::string& path : PanelPaths(kWpsVersion)) EXPECT_TRUE(Exists(path)) << path;
  }
}

TEST_F(RemovalTest, NoPanelFileGivesItsOwnBoxAndNoQuestion) {
  RegisterWps();
  fake::Files().AddFile(Gbk(VersionFolder(kWpsVersion) + "\\office6\\startup\\MyMacros.dotm"));
  const RunOutcome outcome = Remove();
  EXPECT_EQ(outcome, RunOutcome::kDone);
  EXPECT_EQ(ExitCodeOf(outcome, true), 0);
  ASSERT_THAT(ui.Titles(), ElementsAre(kQuestionTitle));
  EXPECT_EQ(ui.boxes[0].text, u8"WPS中没有找到已嵌入的MathType面板。");
  EXPECT_EQ(ui.boxes[0].style, 0);
}

TEST_F(RemovalTest, NoWpsGivesTheEmbeddingsBoxAndRemovesNothing) {
  PlacePanel(kWpsVersion);  // left behind, but nothing leads to it
  const RunOutcome outcome = Remove();
  EXPECT_EQ(outcome, RunOutcome::kNoWps);
  EXPECT_EQ(ExitCodeOf(outcome, true), 1);
  EXPECT_THAT(ui.Titles(), ElementsAre(u8"在桌面未寻找到WPS"));
  for (const std::string& path : PanelPaths(kWpsVersion)) EXPECT_TRUE(Exists(path)) << path;
}

TEST_F(RemovalTest, DesktopShortcutLeadsToTheSameFilesWithoutMathType) {
  AddWpsShortcut();
  PlacePanel(kWpsVersion);
  ui.answers = {kYes, 0};
  EXPECT_EQ(Remove(), RunOutcome::kDone);
  EXPECT_EQ(ui.boxes[0].text, Question(PanelPaths(kWpsVersion)));
  for (const std::string& path : PanelPaths(kWpsVersion)) EXPECT_FALSE(Exists(path)) << path;
}

TEST_F(RemovalTest, FilesThatStayAreNamedWithTheirReasonsAndTheOthersGo) {
  RegisterWps();
  PlacePanel(kWpsVersion);
  const std::vector<std::string> paths = PanelPaths(kWpsVersion);
  fake::Files().FailWritesTo(Gbk(paths[0]), 32);  // held open without sharing
  // The delete reports success but the file stays (an immutable file
  // under Wine): the system refused it.
  fake::Files().KeepAfterDelete(Gbk(paths[2]));
  ui.answers = {kYes, 0};

  const RunOutcome outcome = Remove();

  EXPECT_EQ(outcome, RunOutcome::kFileFailed);
  EXPECT_EQ(ExitCodeOf(outcome, true), 1);
  ASSERT_THAT(ui.Titles(), ElementsAre(kQuestionTitle, kFailedTitle));
  EXPECT_EQ(ui.boxes[1].text, std::string(u8"以下文件未能删除，其余文件已删除：\r\n\r\n") + paths[0] +
                                  u8"\r\n    原因：error 32\r\n" + paths[2] +
                                  u8"\r\n    原因：error 5\r\n\r\n"
                                  u8"请关闭WPS后再次移除，或手动删除这些文件。");
  EXPECT_TRUE(Exists(paths[0]));
  EXPECT_FALSE(Exists(paths[1]));
  EXPECT_TRUE(Exists(paths[2]));
}

// On an English or European Windows paths come in code page 1252; "é\"
// read as GBK would be one Chinese character and hide the backslash.
TEST_F(RemovalTest, PathsOnAWesternWindowsAreSplitListedAndNamedCorrectly) {
  fake::ScopedSystemCodePage western(fake::SystemCodePage::kWestern1252);
  const std::string root = "C:\\Programm\xE9";
  fake::Files().AddFile(root + "\\ksolaunch.exe", "MZ");
  fake::Files().AddShortcut(std::string(kDesktop) + "\\WPS Office.lnk", root + "\\ksolaunch.exe");
  std::vector<std::string> shown;
  for (const char* version : {"12.1.0.1", "11.1.0.9"}) {
    for (const char* file : {"\\office6\\startup\\MathType Commands 2016.dotm",
                             "\\office6\\startup\\MathPage.wll", "\\office6\\MathPage.wll"}) {
      fake::Files().AddFile(root + "\\" + version + file, "panel");
      shown.push_back(std::string(u8"C:\\Programmé\\") + version + file);
    }
  }
  fake::Files().FailWritesTo(root + "\\11.1.0.9\\office6\\MathPage.wll", 5);
  ui.answers = {kYes, 0};

  EXPECT_EQ(Remove(), RunOutcome::kFileFailed);
  ASSERT_THAT(ui.Titles(), ElementsAre(kQuestionTitle, kFailedTitle));
  EXPECT_EQ(ui.boxes[0].text, Question(shown));
  EXPECT_THAT(ui.boxes[1].text, HasSubstr(u8"：\r\n\r\n" + shown[5] + u8"\r\n    原因：error 5\r\n\r\n"));
}

TEST_F(RemovalTest, WindowClosedDuringTheQuestionDeletesNothing) {
  RegisterWps();
  PlacePanel(kWpsVersion);
  ui.answers = {kYes};
  ui.on_box = [this](const BoxSeen&) { ui.open = false; };
  EXPECT_EQ(Remove(), RunOutcome::kStopped);
  EXPECT_EQ(ui.boxes.size(), 1u);
  for (const std::string& path : PanelPaths(kWpsVersion)) EXPECT_TRUE(Exists(path)) << path;
}

// --- One run at a time ---------------------------------------------------

TEST_F(RemovalTest, RemovalAskedForDuringAnEmbeddingIsIgnored) {
  InstallMathType();
  RegisterWps();
  PlacePanel(kWpsVersion);
  std::vector<RunOutcome> outcomes;
  ScriptedUi menu_ui;
  ui.on_pump = [&] { outcomes.push_back(Start(RunKind::kRemove, menu_ui)); };
  Run();
  ASSERT_FALSE(outcomes.empty()) << "the embedding's scan pumps events";
  for (RunOutcome outcome : outcomes) EXPECT_EQ(outcome, RunOutcome::kBusy);
  EXPECT_THAT(menu_ui.boxes, IsEmpty());

  // Once the embedding is over, the removal runs again.
  menu_ui.answers = {kNo};
  EXPECT_EQ(Start(RunKind::kRemove, menu_ui), RunOutcome::kNotDone);
}

TEST_F(RemovalTest, EmbeddingAskedForDuringARemovalIsIgnored) {
  InstallMathType();
  RegisterWps();
  PlacePanel(kWpsVersion);
  ScriptedUi button_ui;
  ui.on_box = [&](const BoxSeen&) { static_cast<void>(Start(RunKind::kEmbed, button_ui)); };
  ui.answers = {kYes, 0};
  EXPECT_EQ(Remove(), RunOutcome::kDone);
  EXPECT_THAT(button_ui.boxes, IsEmpty());
  for (const std::string& path : PanelPaths(kWpsVersion)) EXPECT_FALSE(Exists(path)) << path;

  ui.on_box = nullptr;
  static_cast<void>(Start(RunKind::kEmbed, button_ui));
  EXPECT_FALSE(button_ui.boxes.empty());
}

}  // namespace
}  // namespace pelmora::testing
