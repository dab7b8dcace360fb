// The program's start routine on the host: the removal and the status
// report from the command line run without the window and without the
// notice and end with their exit codes; a normal start gets the system menu
// items, which run them while the window stays open.
#include <string>
#include <utility>
#include <vector>

#include "app/main_window_form.h"
#include "app/program_start.h"
#include "app/panel_status.h"
#include "app/system_menu_commands.h"
#include "fakes/dialog_fake.h"
#include "fakes/startup_fake.h"
#include "fakes/window_port_fake.h"
#include "runtime/window/window_engine_internal.h"
#include "runtime/window/window_port.h"
#include "whole_file.h"
#include "workflow_fixture.h"

namespace pelmora::testing {
namespace {

using ::testing::ElementsAre;

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

class ProgramStartTest : public WorkflowTest {
 protected:
  void SetUp() override {
    WorkflowTest::SetUp();
    engine::ResetForTests();
    fake::Windows().Clear();
    fake::Dialogs().Clear();
    fake::Startup().Clear();
    fake::Startup().form = WholeFile(PELMORA_FORM_BINARY).value_or("");
    ASSERT_FALSE(fake::Startup().form.empty()) << "missing " << PELMORA_FORM_BINARY;

    InstallWpsFolders();
    AddEntry("Kingsoft Office", "WPS Office (12.1.0.28505)", "Kingsoft Corp.",
             std::string(kWpsRoot) + "\\" + kWpsVersion + "\\utility\\uninst.exe");
    for (const char* name : {"MathType Commands 2016.dotm", "MathPage.wll"}) {
      fake::Files().AddFile(StartupFile(name), "panel");
    }
    fake::Files().AddFile(Office6File("MathPage.wll"), "panel");
  }
  void TearDown() override {
    engine::ResetForTests();
    fake::Windows().Clear();
    fake::Dialogs().Clear();
    fake::Startup().Clear();
    WorkflowTest::TearDown();
  }

  static std::vector<std::string> Titles() {
    std::vector<std::string> titles;
    for (const fake::ShownBox& box : fake::Dialogs().boxes) {
      titles.push_back(fake::GbkToUtf8(box.title));
    }
    return titles;
  }
  bool PanelLeft() const {
    return fake::Files().Exists(StartupFile("MathPage.wll")) ||
           fake::Files().Exists(StartupFile("MathType Commands 2016.dotm")) ||
           fake::Files().Exists(Office6File("MathPage.wll"));
  }
};

TEST_F(ProgramStartTest, RemoveSwitchRunsTheRemovalAloneAndEndsWithItsCode) {
  fake::Dialogs().results = {kIdYes, kIdOk};
  EXPECT_EQ(ProgramStart("/remove"), 0);
  EXPECT_EQ(fake::Windows().FormWindow(), 0u);
  EXPECT_THAT(Titles(), ElementsAre(u8"移除MathType面板", u8"移除完毕"));
  for (const fake::ShownBox& box : fake::Dialogs().boxes) EXPECT_EQ(box.owner, 0u);
  EXPECT_FALSE(PanelLeft());
  // The start-up still hardens the library search and the following of
  // links before anything else.
  EXPECT_TRUE(fake::Startup().library_search_hardened);
  EXPECT_TRUE(fake::Startup().redirection_trust_enforced);
}

TEST_F(ProgramStartTest, RemoveSwitchEndsWith1WhenDeclinedAnd0WhenNothingIsLeft) {
  fake::Dialogs().results = {kIdNo};
  EXPECT_EQ(ProgramStart("-REMOVE"), 1);
  EXPECT_TRUE(PanelLeft());
  EXPECT_EQ(fake::Windows().FormWindow(), 0u);

  engine::ResetForTests();
  fake::Dialogs().Clear();
  fake::Dialogs().results = {kIdYes, kIdOk};
  EXPECT_EQ(ProgramStart("\"/Remove\""), 0);
  fake::Dialogs().Clear();
  EXPECT_EQ(ProgramStart("/remove"), 0);
  EXPECT_THAT(Titles(), ElementsAre(u8"移除MathType面板"));
  EXPECT_EQ(fake::GbkToUtf8(fake::Dialogs().boxes[0].text), u8"WPS中没有找到已嵌入的MathType面板。");
}

TEST_F(ProgramStartTest, RemoveSwitchEndsWith1WhenCancelledWhileWpsIsOpen) {
  fake::Processes().Start(Office6File("wps.exe"));
  fake::Dialogs().results = {kIdCancel};
  EXPECT_EQ(ProgramStart("/remove"), 1);
  EXPECT_THAT(Titles(), ElementsAre(u8"WPS正在运行"));
  EXPECT_EQ(fake::Dialogs().boxes[0].owner, 0u);
  EXPECT_TRUE(fake::Files().Exists(StartupFile("MathPage.wll")));
  EXPECT_TRUE(fake::Files().Exists(StartupFile("MathType Commands 2016.dotm")));
  EXPECT_TRUE(fake::Files().Exists(Office6File("MathPage.wll")));
  EXPECT_EQ(fake::Windows().FormWindow(), 0u);
}

TEST_F(ProgramStartTest, NormalStartAddsTheMenuItemWhichRunsTheRemovalInTheOpenWindow) {
  // The item is chosen once the window is up; then the loop ends.
  fake::Windows().PostSystemCommand(kRemovePanelCommand);
  port::PostQuit(0);
  fake::Dialogs().results = {kIdOk, kIdYes, kIdOk};
  EXPECT_EQ(ProgramStart(""), 0);
  EXPECT_THAT(Titles(), ElementsAre(u8"嵌入前准备！", u8"移除MathType面板", u8"移除完毕"));
  EXPECT_FALSE(PanelLeft());
  EXPECT_EQ(fake::Windows().windows[fake::Windows().Control(120)].position, 0);
  const port::NativeWindow form = fake::Windows().FormWindow();
  ASSERT_NE(form, 0u);
  using Addition = std::pair<std::uint32_t, std::string>;
  EXPECT_EQ(fake::Windows().windows[form].system_menu_additions,
            (std::vector<Addition>{{0u, ""},
                                   {kRemovePanelCommand, Gbk(u8"从WPS移除MathType面板…")},
                                   {0u, ""},
                                   {kCheckPanelCommand, Gbk(u8"检查嵌入状态…")}}));
}

TEST_F(ProgramStartTest, CheckSwitchShowsTheReportAloneAndEndsWith0OnlyWhenEmbedded) {
  // The fixture's copies are not MathType's bytes.
  InstallMathType();
  EXPECT_EQ(ProgramStart("-CHECK"), 1);
  EXPECT_THAT(Titles(), ElementsAre(u8"嵌入状态"));
  EXPECT_EQ(fake::Dialogs().boxes[0].owner, 0u);
  EXPECT_EQ(fake::Windows().FormWindow(), 0u);

  fake::Files().AddFile(StartupFile("MathType Commands 2016.dotm"), "dotm-bytes");
  fake::Files().AddFile(StartupFile("MathPage.wll"), "wll-bytes");
  fake::Files().AddFile(Office6File("MathPage.wll"), "wll-bytes");
  fake::Dialogs().Clear();
  EXPECT_EQ(ProgramStart("/check"), 0);
  EXPECT_THAT(Titles(), ElementsAre(u8"嵌入状态"));
  EXPECT_TRUE(PanelLeft());
}

TEST_F(ProgramStartTest, TheCheckItemShowsTheReportInTheOpenWindowAndLeavesTheBar) {
  const std::string files_before = fake::Files().Listing();
  fake::Windows().PostSystemCommand(kCheckPanelCommand);
  port::PostQuit(0);
  EXPECT_EQ(ProgramStart(""), 0);
  EXPECT_THAT(Titles(), ElementsAre(u8"嵌入前准备！", u8"嵌入状态"));
  EXPECT_EQ(fake::Windows().windows[fake::Windows().Control(120)].position, 0);
  EXPECT_EQ(fake::Files().Listing(), files_before);
}

// What the scenarios cannot show: the log's time stamps, a log appended to
// without a second byte-order mark, and a second unattended run while
// another holds the machine's lock.
TEST_F(ProgramStartTest, QuietRunsAppendToTheirLogAndYieldToAnotherRun) {
  fake::Files().AddFolder("C:\\logs");
  EXPECT_EQ(ProgramStart("/quiet /remove /log C:\\logs\\p.log"), 0);
  fake::SetAnotherRunUnderWay(true);
  EXPECT_EQ(ProgramStart("/quiet /log C:\\logs\\p.log"), 1618);
  EXPECT_TRUE(fake::Dialogs().boxes.empty());
  EXPECT_EQ(fake::open_mutexes(), 0);

  const std::string log = fake::Files().ReadFile("C:\\logs\\p.log").value_or("");
  ASSERT_EQ(log.rfind("\xEF\xBB\xBF", 0), 0u);
  EXPECT_EQ(log.find("\xEF\xBB\xBF", 3), std::string::npos);
  EXPECT_NE(log.find(std::string("\r\n2026-12-08 09:05:03 ") + u8"另一个Pelmora正在运行\r\n"),
            std::string::npos);
  EXPECT_NE(log.rfind(u8" 运行结束，退出代码：1618\r\n"), std::string::npos);
}

// Deployment tools run the program as LocalSystem, whose own registry and
// desktop hold no user's WPS: every account's is looked at instead, each
// hive unloaded again, and one that cannot be read does not fail the run.
TEST_F(ProgramStartTest, LocalSystemsQuietRunEmbedsEveryAccountsWps) {
  fake::SetLocalSystem(true);
  InstallMathType();
  fake::Files().AddFolder("C:\\logs");
  const std::string list = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\";
  const std::string li_root = "C:\\Users\\li\\AppData\\Local\\Kingsoft\\WPS Office";
  fake::Registry().SetString(fake::kHkeyLocalMachine, list + "S-1-5-21-7-7-7-1001",
                             "ProfileImagePath", "C:\\Users\\li");
  fake::Registry().SetString(fake::kHkeyLocalMachine, list + "S-1-5-21-7-7-7-1002",
                             "ProfileImagePath", "C:\\Users\\wang");
  InstallWpsFolders(li_root);
  const std::string entry = std::string(kUninstall) + "\\Kingsoft Office";
  for (const auto& [name, text] :
       {std::pair<const char*, std::string>{"DisplayName", "WPS Office"},
        {"Publisher", "Kingsoft Corp."},
        {"UninstallString", li_root + "\\12.1.0.28505\\utility\\uninst.exe"}}) {
    fake::Registry().SetHiveString("C:\\Users\\li\\NTUSER.DAT", entry, name, text);
  }
  fake::Registry().SetHiveString("C:\\Users\\wang\\NTUSER.DAT", "Software", "x", "y");
  fake::Registry().FailHiveLoad("C:\\Users\\wang\\NTUSER.DAT", 32);

  EXPECT_EQ(ProgramStart("/quiet /log C:\\logs\\p.log"), 0);
  EXPECT_EQ(Landed(li_root + "\\12.1.0.28505", "MathPage.wll"), "wll-bytes");
  EXPECT_EQ(Landed(li_root + "\\12.1.0.28505", "startup\\MathType Commands 2016.dotm"),
            "dotm-bytes");
  EXPECT_TRUE(fake::Registry().loaded_hives().empty());
  EXPECT_EQ(fake::Registry().hive_loads(), fake::Registry().hive_unloads());
  const std::string log = fake::Files().ReadFile("C:\\logs\\p.log").value_or("");
  EXPECT_NE(log.find(u8"用户：tester；以LocalSystem运行，如同给出 /allusers"), std::string::npos)
      << log;
  EXPECT_NE(log.find(u8"帐户：C:\\Users\\wang（跳过："), std::string::npos) << log;
  EXPECT_NE(log.find(u8"（li的安装列表）"), std::string::npos) << log;
}

}  // namespace
}  // namespace pelmora::testing
