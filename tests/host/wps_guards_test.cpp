// What placement checks before it copies: that MathType's pair matches
// WPS's bitness, and that no WPS program runs from WPS's folder.
#include "workflow_fixture.h"

#include "app/wps_running.h"

namespace pelmora::testing {
namespace {

using ::testing::ElementsAre;

constexpr const char* kRunning = u8"WPS正在运行";

class WpsGuardsTest : public WorkflowTest {
 protected:
  void SetUp() override {
    WorkflowTest::SetUp();
    InstallMathType();
    InstallWpsFolders();
    AddWpsShortcut();
  }
  static std::string Version() { return std::string(kWpsRoot) + "\\" + kWpsVersion; }
  void SetWpsProgram(const char* content) {
    fake::Files().AddFile(Office6File("wps.exe"), content);
  }
  std::string LandedHere(const std::string& name) { return Landed(Version(), name); }
};

TEST_F(WpsGuardsTest, A64BitWpsGetsMathTypes64BitPair) {
  SetWpsProgram(fake::kProgram64);
  AddMathType64Pair();
  ui.answers = {0, 0};
  Run();
  EXPECT_THAT(ui.Titles(), ElementsAre(kVbaNoticeTitle, kVbaQuestionTitle, kDoneTitle));
  EXPECT_EQ(LandedHere("startup\\MathType Commands 2016.dotm"), "dotm64-bytes");
  EXPECT_EQ(LandedHere("startup\\MathPage.wll"), "wll64-bytes");
  EXPECT_EQ(LandedHere("MathPage.wll"), "wll64-bytes");
}

TEST_F(WpsGuardsTest, A32BitOrUnexaminableWpsKeepsThe32BitPair) {
  AddMathType64Pair();
  // No wps.exe at first, then a 32-bit one, then a file that is no program.
  for (const char* content : {static_cast<const char*>(nullptr), fake::kProgram32, "not a program"}) {
    SCOPED_TRACE(content ? content : "no wps.exe");
    if (content != nullptr) SetWpsProgram(content);
    ui = ScriptedUi();
    ui.answers = {0, 0};
    Run();
    EXPECT_THAT(ui.Titles(), ElementsAre(kVbaNoticeTitle, kVbaQuestionTitle, kDoneTitle));
    EXPECT_EQ(LandedHere("startup\\MathType Commands 2016.dotm"), "dotm-bytes");
    EXPECT_EQ(LandedHere("MathPage.wll"), "wll-bytes");
  }
}

TEST_F(WpsGuardsTest, AMissing64BitFileGivesItsBoxAndNothingIsCopied) {
  SetWpsProgram(fake::kProgram64);
  Run();  // neither 64-bit file: the template's box only, as for the 32-bit pair
  EXPECT_THAT(ui.Titles(), ElementsAre(u8"未找到你MathType的dotm文件"));

  ui = ScriptedUi();
  fake::Files().AddFile(Gbk(std::string(kMathTypeFolder) +
                            "\\Office Support\\64\\MathType Commands 2016.dotm"), "dotm64-bytes");
  Run();
  EXPECT_THAT(ui.Titles(), ElementsAre(u8"未找到你MathType的MathPage.wll文件"));
  EXPECT_EQ(ui.boxes[0].text, u8"请重新安装MathType7！");
  EXPECT_EQ(LandedHere("startup\\MathType Commands 2016.dotm"), "(missing)");
  EXPECT_EQ(LandedHere("MathPage.wll"), "(missing)");
  EXPECT_FALSE(fake::Files().Exists(VbaPath()));
  EXPECT_EQ(ui.progress_history, (std::vector<int>{20}));
}

TEST_F(WpsGuardsTest, RunningWpsIsAskedAboutUntilItIsClosedThenCopied) {
  std::string running = Office6File("wps.exe");
  fake::Processes().Start(running);
  ui.answers = {kRetry, kRetry, 0, 0};
  ui.on_box = [&](const BoxSeen& box) {
    // The user closes WPS only after the second question.
    if (box.title == kRunning && ui.boxes.size() == 2) fake::Processes().End(running);
  };
  Run();
  EXPECT_THAT(ui.Titles(), ElementsAre(kRunning, kRunning, kVbaNoticeTitle, kVbaQuestionTitle, kDoneTitle));
  EXPECT_EQ(ui.boxes[0].text,
            u8"请保存文档并关闭所有WPS窗口，然后点击“重试”继续；点击“取消”结束嵌入。");
  EXPECT_EQ(ui.boxes[0].style, 0x35);  // Retry and Cancel, warning icon
  EXPECT_EQ(ui.boxes[0].progress, 20);
  EXPECT_EQ(LandedHere("startup\\MathPage.wll"), "wll-bytes");
  EXPECT_EQ(fake::Processes().open_snapshots(), 0);
}

TEST_F(WpsGuardsTest, CancelOrABoxThatCannotBeShownEndsTheRunBeforeAnyCopy) {
  fake::Processes().Start(Gbk(std::string(kWpsRoot) + "\\11.1.0.9999\\office6\\et.exe"));
  for (int answer : {kCancel, 0 /* a box that could not be shown */}) {
    ui = ScriptedUi();
    ui.answers = {answer};
    Run();
    EXPECT_THAT(ui.Titles(), ElementsAre(kRunning));
    EXPECT_EQ(LandedHere("startup\\MathType Commands 2016.dotm"), "(missing)");
    EXPECT_EQ(LandedHere("MathPage.wll"), "(missing)");
    EXPECT_FALSE(fake::Files().Exists(VbaPath()));
    EXPECT_EQ(ui.progress_history, (std::vector<int>{20}));
  }
}

TEST_F(WpsGuardsTest, ClosingTheWindowDuringTheQuestionEndsTheRun) {
  fake::Processes().Start(Office6File("wps.exe"));
  ui.answers = {kRetry};
  ui.on_box = [&](const BoxSeen&) { ui.open = false; };
  Run();
  EXPECT_THAT(ui.Titles(), ElementsAre(kRunning));
  EXPECT_EQ(LandedHere("MathPage.wll"), "(missing)");
}

TEST_F(WpsGuardsTest, OnlyProgramsAUserOpensFromThisWpsCount) {
  fake::Processes().Start(Gbk(std::string(kWpsRoot) + "\\" + kWpsVersion + "\\office6\\wpscloudsvr.exe"));
  fake::Processes().Start("C:\\Other WPS\\12.1.0.1\\office6\\wps.exe");
  fake::Processes().Start(Gbk(std::string(kWpsRoot) + "2\\wpp.exe"));  // a sibling folder
  ui.answers = {0, 0};
  Run();
  EXPECT_THAT(ui.Titles(), ElementsAre(kVbaNoticeTitle, kVbaQuestionTitle, kDoneTitle));

  // The combined window started from the launcher's folder does count.
  fake::Processes().Start(Gbk(std::string(kWpsRoot) + "\\WPSOFFICE.EXE"));
  ui = ScriptedUi();
  ui.answers = {kCancel};
  Run();
  EXPECT_THAT(ui.Titles(), ElementsAre(kRunning));
}

TEST_F(WpsGuardsTest, ThePairIsCheckedBeforeTheUserIsAskedToCloseWps) {
  SetWpsProgram(fake::kProgram64);
  fake::Processes().Start(Office6File("wps.exe"));
  Run();
  EXPECT_THAT(ui.Titles(), ElementsAre(u8"未找到你MathType的dotm文件"));
}

TEST_F(WpsGuardsTest, WaitUntilWpsClosedOnItsOwn) {
  RunContext run(ui, log);
  EXPECT_TRUE(WaitUntilWpsClosed(run, Gbk(Version()).c_str()));
  EXPECT_TRUE(ui.boxes.empty());

  fake::Processes().Start(Office6File("wps.exe"));
  ui.answers = {kCancel};
  EXPECT_FALSE(WaitUntilWpsClosed(run, Gbk(Version()).c_str()));
  // A version folder with no folder above it names no place to run from.
  EXPECT_TRUE(WaitUntilWpsClosed(run, "12.1.0.28505"));
  EXPECT_EQ(ui.boxes.size(), 1u);
}

}  // namespace
}  // namespace pelmora::testing
