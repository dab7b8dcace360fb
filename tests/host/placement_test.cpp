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

// An earlier embedding's copies in all three places, and one point of the
// placement that fails: afterwards WPS's folders are exactly as they were,
// and the box names the one destination.
struct FailurePoint {
  const char* what;
  std::size_t file;  // the destination that fails, in the panel's order
  void (*arrange)(const std::string& destination);
  const char* reason;
};
const FailurePoint kFailurePoints[] = {
    {"staging write", 0,
     [](const std::string& d) { fake::Files().FailWritesTo(d + ".pelmora-new", 5); }, "error 5"},
    {"setting the earlier copy aside", 1,
     [](const std::string& d) { fake::Files().FailWritesTo(d + ".pelmora-old", 32); }, "error 32"},
    {"swap", 2, [](const std::string& d) { fake::Files().FailWritesTo(d, 32); }, "error 32"},
    {"read-back", 1,
     [](const std::string& d) { fake::Files().ReplaceAfterWrite(d, "changed by another program"); },
     u8"复制后的内容与原文件不一致。"},
};

TEST_F(PlacementTest, AnyFailingPointLeavesEveryDestinationAsItWas) {
  AddWpsShortcut();
  for (const FailurePoint& point : kFailurePoints) {
    SCOPED_TRACE(point.what);
    const std::vector<std::string> destinations = {StartupFile("MathType Commands 2016.dotm"),
                                                   StartupFile("MathPage.wll"),
                                                   Office6File("MathPage.wll")};
    for (const std::string& destination : destinations) fake::Files().AddFile(destination, "older");
    const std::string before = fake::Files().Listing();
    point.arrange(destinations[point.file]);
    ui = ScriptedUi();
    Run();
    EXPECT_EQ(fake::Files().Listing(), before);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].title, u8"复制文件失败");
    EXPECT_EQ(ui.boxes[0].text,
              u8"以下文件未能复制，嵌入没有完成，WPS中的文件已恢复原样：\r\n\r\n" +
                  fake::GbkToUtf8(destinations[point.file]) + u8"\r\n    原因：" + point.reason +
                  u8"\r\n\r\n请关闭WPS后重新运行本软件。");
    EXPECT_EQ(ui.progress, kProgressMathTypeFound);
    SetUp();  // a new machine for the next point
    AddWpsShortcut();
  }
}

// The add-in put back fails after the template's copy read back wrong: the
// box says which destination still holds the new copy.
TEST_F(PlacementTest, ARestoreThatFailsIsNamedAndNeverCalledSuccess) {
  AddWpsShortcut();
  fake::Files().ReplaceAfterWrite(StartupFile("MathType Commands 2016.dotm"), "changed");
  fake::Files().KeepAfterDelete(Office6File("MathPage.wll"));
  Run();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text,
            u8"以下文件未能复制，嵌入没有完成：\r\n\r\n" +
                fake::GbkToUtf8(StartupFile("MathType Commands 2016.dotm")) +
                u8"\r\n    原因：复制后的内容与原文件不一致。\r\n\r\n以下文件未能恢复原样，请手动删除："
                u8"\r\n\r\n" +
                fake::GbkToUtf8(Office6File("MathPage.wll")) +
                u8"\r\n    原因：error 5\r\n\r\n请关闭WPS后重新运行本软件。");
  EXPECT_FALSE(fake::Files().Exists(StartupFile("MathPage.wll")));
  EXPECT_FALSE(fake::Files().Exists(VbaPath()));
}

// A run killed halfway left its staged and set-aside copies; the next run
// places the panel and leaves neither.
TEST_F(PlacementTest, LeftoversOfAKilledRunAreCleanedUp) {
  AddWpsShortcut();
  fake::Files().AddFile(StartupFile("MathPage.wll.pelmora-new"), "half");
  fake::Files().AddFile(Office6File("MathPage.wll.pelmora-old"), "older");
  ui.answers = {kButtonOk, kButtonOk};
  Run();
  EXPECT_EQ(fake::Files().ReadFile(Office6File("MathPage.wll")), "wll-bytes");
  EXPECT_FALSE(fake::Files().Exists(StartupFile("MathPage.wll.pelmora-new")));
  EXPECT_FALSE(fake::Files().Exists(Office6File("MathPage.wll.pelmora-old")));
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
