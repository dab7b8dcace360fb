// The VBA step: the installer written out byte for byte, the question, and
// what is left behind for each answer.
#include "fakes/dialog_fake.h"
#include "workflow_fixture.h"

namespace pelmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class VbaInstallerTest : public WorkflowTest {
 protected:
  void SetUp() override {
    WorkflowTest::SetUp();
    InstallMathType();
    InstallWpsFolders();
    AddWpsShortcut();
    fake::Dialogs().Clear();
  }
};

TEST_F(VbaInstallerTest, OkDeletesTheInstallerAndShowsCompletion) {
  std::optional<std::string> written_while_asked;
  ui.on_box = [&](const BoxSeen& box) {
    if (box.title == kVbaQuestionTitle && box.style == kBoxOkCancel)
      written_while_asked = fake::Files().ReadFile(VbaPath());
  };
  ui.answers = {kButtonOk, kButtonOk};
  Run();
  EXPECT_EQ(written_while_asked, DefaultFakeVbaPayload());
  ASSERT_EQ(fake::Dialogs().processes.size(), 1u);
  EXPECT_EQ(fake::Dialogs().processes[0].application, VbaPath());
  EXPECT_EQ(fake::Dialogs().processes[0].command_line, "\"" + VbaPath() + "\"");
  EXPECT_FALSE(fake::Dialogs().processes[0].wait_for_end);
  EXPECT_FALSE(fake::Files().Exists(VbaPath()));
  ASSERT_EQ(ui.boxes.size(), 3u);
  EXPECT_EQ(ui.boxes[0].text, u8"现在程序将打开VBA安装界面，你需要按照步骤完成VBA的安装！");
  EXPECT_EQ(ui.boxes[1].text, u8"你是否已经正常安装VBA?");
  EXPECT_EQ(ui.boxes[1].style, kBoxOkCancel);
  EXPECT_EQ(ui.boxes[2].title, kDoneTitle);
  EXPECT_THAT(ui.boxes[2].text, HasSubstr(u8"嵌入过程执行完毕，如果没有正常嵌入可以加入QQ群："));
  EXPECT_THAT(ui.boxes[2].text, HasSubstr(u8"，获得技术支持！"));
}

TEST_F(VbaInstallerTest, CancelKeepsTheInstallerForManualUse) {
  ui.answers = {kButtonOk, kButtonCancel};
  Run();
  EXPECT_EQ(fake::Files().ReadFile(VbaPath()), DefaultFakeVbaPayload());
  ASSERT_EQ(ui.boxes.size(), 3u);
  EXPECT_EQ(ui.boxes[2].title, u8"重要提示！");
  EXPECT_EQ(ui.boxes[2].text, u8"你可以手动点击【vba.exe】完成安装，然后手动删除");
}

TEST_F(VbaInstallerTest, SecondRunOverwritesTheInstallerAndKeepsTheBar) {
  fake::Files().AddFile(VbaPath(), std::string(100000, 'x'));  // a stale, longer file
  ui.answers = {kButtonOk, kButtonCancel};
  Run();
  EXPECT_EQ(fake::Files().ReadFile(VbaPath()), DefaultFakeVbaPayload());
  ui.boxes.clear();
  ui.answers = {kButtonOk, kButtonCancel};
  Run();
  EXPECT_EQ(ui.progress_history,
            (std::vector<int>{kProgressMathTypeFound, kProgressComponentsCopied,
                              kProgressInstallerStarted, kProgressMathTypeFound,
                              kProgressComponentsCopied, kProgressInstallerStarted}));
  EXPECT_EQ(ui.boxes[0].progress, kProgressComponentsCopied);
}

TEST_F(VbaInstallerTest, UnwritableInstallerIsReportedAndNoQuestionIsAsked) {
  fake::Files().FailWritesTo(VbaPath(), 5);  // access denied
  Run();
  EXPECT_THAT(ui.Titles(), ElementsAre(kVbaNoticeTitle, u8"无法启动VBA安装程序"));
  EXPECT_THAT(ui.boxes[1].text, HasSubstr("C:\\Tools\\vba.exe"));
  EXPECT_NE(ui.progress, kProgressInstallerStarted);
}

// From C:\Tools\My Apps\ an unquoted line would first try C:\Tools\My.exe:
// the system must be told the file itself.
TEST_F(VbaInstallerTest, InstallerInAFolderWithBlanksIsStartedByItsOwnPath) {
  RecordRunDirectory("C:\\Tools\\My Apps\\pelmora.exe");
  fake::Files().AddFolder("C:\\Tools\\My Apps");
  fake::Files().AddFile("C:\\Tools\\My.exe", "MZ planted");
  ui.answers = {0, 1};
  Run();
  ASSERT_EQ(fake::Dialogs().processes.size(), 1u);
  EXPECT_EQ(fake::Dialogs().processes[0].application, "C:\\Tools\\My Apps\\vba.exe");
  EXPECT_EQ(fake::Dialogs().processes[0].command_line, "\"C:\\Tools\\My Apps\\vba.exe\"");
  EXPECT_EQ(fake::Files().ReadFile("C:\\Tools\\My Apps\\vba.exe"), DefaultFakeVbaPayload());
}

TEST_F(VbaInstallerTest, InstallerPathOnAWesternWindowsReadsCorrectlyInTheBox) {
  fake::ScopedSystemCodePage western(fake::SystemCodePage::kWestern1252);
  RecordRunDirectory("C:\\Caf\xE9\\pelmora.exe");
  fake::Files().AddFolder("C:\\Caf\xE9");
  fake::Files().FailWritesTo("C:\\Caf\xE9\\vba.exe", 5);
  Run();
  ASSERT_THAT(ui.Titles(), ElementsAre(kVbaNoticeTitle, u8"无法启动VBA安装程序"));
  EXPECT_THAT(ui.boxes[1].text, HasSubstr(u8"C:\\Café\\vba.exe\r\n\r\n原因：error 5"));
}

TEST_F(VbaInstallerTest, InstallerThatCannotStartIsReportedWithTheSystemReason) {
  fake::Dialogs().process_error = 193;  // not a valid program
  Run();
  EXPECT_THAT(ui.Titles(), ElementsAre(kVbaNoticeTitle, u8"无法启动VBA安装程序"));
  EXPECT_THAT(ui.boxes[1].text, HasSubstr(u8"原因："));
  EXPECT_EQ(ui.progress, kProgressComponentsCopied);
}

// Between writing the installer and starting it, another process swaps the
// file: by other bytes of another length, or by the same length with one
// byte changed. The elevated program must start neither.
TEST_F(VbaInstallerTest, InstallerReplacedAfterWritingIsNeverStarted) {
  std::string same_length = DefaultFakeVbaPayload();
  ASSERT_FALSE(same_length.empty());
  same_length[same_length.size() / 2] ^= 0x5A;
  for (const std::string& replacement : {std::string("MZ planted program"), same_length}) {
    SCOPED_TRACE(replacement.size());
    fake::Files().ReplaceAfterWrite(VbaPath(), replacement);
    fake::Dialogs().Clear();
    ui.boxes.clear();
    ui.progress = 0;
    Run();
    ASSERT_THAT(ui.Titles(), ElementsAre(kVbaNoticeTitle, u8"无法启动VBA安装程序"));
    EXPECT_THAT(ui.boxes[1].text, HasSubstr("C:\\Tools\\vba.exe"));
    EXPECT_THAT(ui.boxes[1].text, HasSubstr(u8"写出的文件与本软件携带的安装程序不一致"));
    EXPECT_TRUE(fake::Dialogs().processes.empty());
    EXPECT_EQ(ui.progress, kProgressComponentsCopied);
    EXPECT_EQ(fake::Files().open_files(), 0);
  }
}

TEST_F(VbaInstallerTest, ClickDuringARunIsIgnored) {
  int nested_boxes = -1;
  ui.on_pump = [&] {
    size_t before = ui.boxes.size();
    static_cast<void>(Run());
    nested_boxes = static_cast<int>(ui.boxes.size() - before);
  };
  ui.answers = {kButtonOk, kButtonOk};
  Run();
  EXPECT_EQ(nested_boxes, 0);
  EXPECT_THAT(ui.Titles(), ElementsAre(kVbaNoticeTitle, kVbaQuestionTitle, kDoneTitle));
}

TEST_F(VbaInstallerTest, ClosingTheWindowDuringTheScanEndsTheRunQuietly) {
  ui.close_at_pump = 1;
  Run();
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_FALSE(fake::Files().Exists(StartupFile("MathPage.wll")));
  EXPECT_FALSE(fake::Files().Exists(VbaPath()));
}

}  // namespace
}  // namespace pelmora::testing
