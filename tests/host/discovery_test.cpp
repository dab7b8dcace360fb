// The scan of installed software: which entries count, what they derive
// and what the user is told.
#include <fstream>
#include <sstream>

#include "workflow_fixture.h"

namespace pelmora::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

class DiscoveryTest : public WorkflowTest {};

TEST_F(DiscoveryTest, SkipsProductCodesAndUpdateKeysBeforeReadingThem) {
  AddEntry("{90140000-0011-0000-0000-0000000FF1CE}", "MathType 7", "WIRIS", "C:\\A\\u.exe");
  AddEntry("KB123}.KB", "MathType 7", "WIRIS", "C:\\B\\u.exe");
  AddEntry("x}.kb", "MathType 7", "WIRIS", "C:\\C\\u.exe");  // lower case is not skipped
  EXPECT_EQ(Find().MathTypeFolder(), TextView("C:\\C\\"));
}

TEST_F(DiscoveryTest, BlankUninstallCommandOrMissingDisplayNameSkipsTheEntry) {
  AddEntry("Blank", "MathType 7", "WIRIS", u8"  　 　");  // spaces and full-width spaces
  std::string key = std::string(kUninstall) + "\\NoName";
  fake::Registry().CreateKey(fake::kHkeyLocalMachine, key);
  fake::Registry().SetString(fake::kHkeyLocalMachine, key, "UninstallString", "C:\\N\\u.exe");
  fake::Registry().SetString(fake::kHkeyLocalMachine, key, "Publisher", "WIRIS");
  AddEntry("EmptyName", "", "Kingsoft", "C:\\E\\u.exe");  // examined, matches nothing
  Findings found = Find();
  EXPECT_FALSE(found.MathTypeFolder());
  EXPECT_FALSE(found.wps);
  Run();
  EXPECT_THAT(ui.Titles(), ElementsAre(u8"在桌面未寻找到WPS"));
}

TEST_F(DiscoveryTest, WrongPublishersGiveTheirOwnBoxes) {
  AddEntry("MT6", "MathType 6.9", "Design Science", "C:\\MT6\\u.exe");
  AddEntry("Other", "WPS Helper", "Someone", "C:\\W\\u.exe");
  Run();
  ASSERT_GE(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[0].title, u8"你还没有安装MathType7");
  EXPECT_EQ(ui.boxes[0].text, u8"没有找到MathType7，请下载安装MathType7后再打开这个软件！");
  EXPECT_EQ(ui.boxes[0].style, kBoxOk);
  EXPECT_EQ(ui.boxes[1].title, u8"你还没有安装WPS");
  EXPECT_EQ(ui.boxes[1].text, u8"没有找到WPS，请下载安装WPS后再打开这个软件！");
  EXPECT_TRUE(ui.progress_history.empty());
}

TEST_F(DiscoveryTest, MissingTemplateIsReportedAloneAndMissingAddInAfterIt) {
  AddEntry("DSMT7", "MathType 7.4", "WIRIS Inc.", "\"D:\\Apps\\MT\\uninst.exe\" /S");
  InstallWpsFolders();
  AddWpsShortcut();
  EXPECT_EQ(Find().MathTypeFolder(), TextView("D:\\Apps\\MT\\"));
  Run();
  // Alone: the add-in's box does not follow the template's, and nothing
  // is placed after it.
  EXPECT_THAT(ui.Titles(), ElementsAre(u8"未找到你MathType的dotm文件"));
  EXPECT_EQ(ui.boxes[0].text, u8"请重新安装MathType7！");
  EXPECT_EQ(ui.boxes[0].progress, kProgressMathTypeFound);

  ui = ScriptedUi();
  fake::Files().AddFile("D:\\Apps\\MT\\Office Support\\32\\MathType Commands 2016.dotm", "t");
  Run();
  EXPECT_THAT(ui.Titles(), ElementsAre(u8"未找到你MathType的MathPage.wll文件"));
  EXPECT_EQ(Landed(std::string(kWpsRoot) + "\\" + kWpsVersion, "startup\\MathType Commands 2016.dotm"),
            "(missing)");
}

TEST_F(DiscoveryTest, WpsEntryFolderDropsUtilityInAnyCase) {
  InstallMathType();
  AddEntry("Kingsoft Office", "WPS Office (12.1.0.28505)", "Kingsoft Corp.",
           "C:\\Suite\\11.1.0.1\\UTILITY\\uninst.exe");
  std::optional<WpsLocation> wps = Find().wps;
  ASSERT_TRUE(wps);
  EXPECT_EQ(wps->folders.startup, TextView("C:\\Suite\\11.1.0.1\\office6\\startup"));
  EXPECT_EQ(wps->folders.office6, TextView("C:\\Suite\\11.1.0.1\\office6"));
  Run();
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_EQ(ui.boxes[0].title, u8"未找到你WPS的相关文件夹！");
  EXPECT_EQ(ui.boxes[0].text, u8"请重新安装WPS或寻找官方帮助！");
  EXPECT_EQ(ui.boxes[0].progress, kProgressWpsFound);
}

TEST_F(DiscoveryTest, LongSubkeyNameDoesNotHideTheEntriesAfterIt) {
  std::string long_name(300, 'A');  // enumerates before DSMT7
  AddEntry(long_name, "Something", "Someone", "C:\\L\\u.exe");
  InstallMathType();
  EXPECT_TRUE(Find().MathTypeFolder());
}

// The 267 real entries as the background of a machine with both products.
void LoadRealEntries() {
  std::ifstream in(std::string(PELMORA_TEST_DATA) + "/uninstall/entries.tsv");
  ASSERT_TRUE(in) << "test data missing";
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::vector<std::string> f;
    std::stringstream ss(line);
    std::string cell;
    while (std::getline(ss, cell, '\t')) f.push_back(cell);
    f.resize(11);
    std::string key = std::string(kUninstall) + "\\" + fake::Utf8ToGbk(f[2]);
    fake::Registry().CreateKey(fake::kHkeyLocalMachine, key);
    auto set = [&](const char* name, const std::string& value, std::uint32_t type) {
      if (value == "(missing)" || (value.empty() && type == fake::kRegSz)) return;
      std::string data = fake::Utf8ToGbk(value);
      data.push_back('\0');
      fake::Registry().SetValue(fake::kHkeyLocalMachine, key, name, type, data);
    };
    set("DisplayName", f[3], fake::kRegSz);
    set("Publisher", f[4], fake::kRegSz);
    set("UninstallString", f[5], f[6] == "REG_EXPAND_SZ" ? fake::kRegExpandSz : fake::kRegSz);
  }
}

TEST_F(DiscoveryTest, RealMachineBackgroundFindsOnlyTheTwoProducts) {
  LoadRealEntries();
  InstallMathType();
  InstallWpsFolders();
  AddWpsShortcut();
  ui.answers = {kButtonOk, kButtonOk};  // the VBA notice, then OK to the question
  Run();
  EXPECT_THAT(ui.Titles(), ElementsAre(kVbaNoticeTitle, kVbaQuestionTitle, kDoneTitle));
  EXPECT_EQ(fake::Files().ReadFile(StartupFile("MathPage.wll")), "wll-bytes");
}

}  // namespace
}  // namespace pelmora::testing
