// Choosing the pair and copying it into WPS's folders, including what
// happens when a step cannot be completed.
#include "workflow_fixture.h"

namespace pelmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

class PlacementTest : public WorkflowTest {
 protected:
  void SetUp() override {
    WorkflowTest::SetUp();
    InstallMathType();
    InstallWpsFolders();
  }
};

TEST_F(PlacementTest, SingleDesktopShortcutLeadsToAllThreeCopies) {
  AddWpsShortcut();
  ui.answers = {kButtonOk, kButtonOk};
  Run();
  EXPECT_EQ(fake::Files().ReadFile(StartupFile("MathType Commands 2016.dotm")), "dotm-bytes");
  EXPECT_EQ(fake::Files().ReadFile(StartupFile("MathPage.wll")), "wll-bytes");
  EXPECT_EQ(fake::Files().ReadFile(Office6File("MathPage.wll")), "wll-bytes");
  ASSERT_EQ(ui.boxes.size(), 3u);
  EXPECT_EQ(ui.boxes[0].title, kVbaNoticeTitle);
  EXPECT_EQ(ui.boxes[0].progress, kProgressComponentsCopied);
  EXPECT_EQ(ui.boxes[1].progress, kProgressInstallerStarted);
  EXPECT_EQ(ui.progress_history,
            (std::vector<int>{kProgressMathTypeFound, kProgressComponentsCopied,
                              kProgressInstallerStarted}));
}

TEST_F(PlacementTest, WpsFoundInTheRegistryPlacesWithoutTheDesktop) {
  AddEntry("Kingsoft Office", "WPS Office (12.1.0.28505)", "Kingsoft Corp.",
           std::string(kWpsRoot) + "\\" + kWpsVersion + "\\utility\\uninst.exe");
  AddWpsShortcut("WPS Office.lnk", "C:\\Nowhere\\ksolaunch.exe");
  ui.answers = {kButtonOk, kButtonOk};
  Run();
  EXPECT_EQ(fake::Files().ReadFile(Office6File("MathPage.wll")), "wll-bytes");
  EXPECT_THAT(ui.Titles(), ElementsAre(kVbaNoticeTitle, kVbaQuestionTitle, kDoneTitle));
  EXPECT_EQ(ui.progress_history,
            (std::vector<int>{kProgressMathTypeFound, kProgressWpsFound, kProgressComponentsCopied,
                              kProgressInstallerStarted}));
}

TEST_F(PlacementTest, NoMathTypeInThisRunCopiesNothing) {
  fake::Registry().Clear();
  AddWpsShortcut();
  Run();
  EXPECT_THAT(ui.Titles(), ElementsAre(u8"你还没有安装MathType7"));
  EXPECT_EQ(ui.boxes[0].text, u8"没有找到MathType7，请下载安装MathType7后再打开这个软件！");
  EXPECT_FALSE(fake::Files().Exists(StartupFile("MathPage.wll")));

  // When the scan already said so, it is not said twice.
  ui = ScriptedUi();
  AddEntry("MT6", "MathType 6.9", "Design Science", "C:\\MT6\\u.exe");
  Run();
  EXPECT_THAT(ui.Titles(), ElementsAre(u8"你还没有安装MathType7"));
}

TEST_F(PlacementTest, FailedCopyIsNamedAndStopsBeforeTheInstaller) {
  AddWpsShortcut();
  fake::Files().FailWritesTo(StartupFile("MathPage.wll"), 32);  // sharing violation
  Run();
  // The other two copies were still made.
  EXPECT_EQ(fake::Files().ReadFile(StartupFile("MathType Commands 2016.dotm")), "dotm-bytes");
  EXPECT_EQ(fake::Files().ReadFile(Office6File("MathPage.wll")), "wll-bytes");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].title, u8"复制文件失败");
  EXPECT_THAT(ui.boxes[0].text, HasSubstr(fake::GbkToUtf8(StartupFile("MathPage.wll"))));
  EXPECT_THAT(ui.boxes[0].text, Not(HasSubstr("MathType Commands 2016.dotm")));
  EXPECT_EQ(ui.progress, kProgressMathTypeFound);
  EXPECT_FALSE(fake::Files().Exists(VbaPath()));
}

TEST_F(PlacementTest, FailureWithoutASystemCodeIsNotCalledSuccess) {
  AddWpsShortcut();
  fake::Files().FailWritesTo(Office6File("MathPage.wll"), 0);
  Run();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].title, u8"复制文件失败");
  EXPECT_THAT(ui.boxes[0].text, HasSubstr(u8"原因：未知错误（系统没有给出原因）"));
}

// On an English or European Windows the ANSI calls hand out paths in code
// page 1252; read as GBK, "é\" would turn into one Chinese character.
TEST_F(PlacementTest, FailedDestinationOnAWesternWindowsIsNamedCorrectly) {
  fake::ScopedSystemCodePage western(fake::SystemCodePage::kWestern1252);
  const std::string root = "C:\\Caf\xE9 Office";
  fake::Files().AddFile(root + "\\ksolaunch.exe", "MZ");
  fake::Files().AddFolder(root + "\\12.1.0.1\\office6\\startup");
  fake::Files().AddShortcut(std::string(kDesktop) + "\\WPS Office.lnk", root + "\\ksolaunch.exe");
  fake::Files().FailWritesTo(root + "\\12.1.0.1\\office6\\MathPage.wll", 5);
  Run();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_THAT(ui.boxes[0].text,
              HasSubstr(u8"C:\\Café Office\\12.1.0.1\\office6\\MathPage.wll\r\n    原因：error 5\r\n"));
}

}  // namespace
}  // namespace pelmora::testing
