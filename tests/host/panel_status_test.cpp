// The status report of the panel: what it says for each state of the copies
// and each place WPS can be found, which pair it compares with, and that it
// shows one box and changes nothing, whatever it finds.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/panel_status.h"
#include "removal_fixture.h"

namespace pelmora::testing {
namespace {

using ::testing::ElementsAre;

constexpr const char* kStatusTitle = u8"嵌入状态";
constexpr int kOkInformation = 0x40;
constexpr int kOkWarning = 0x30;
const char* const kRoot64 = "C:\\Program Files\\Kingsoft\\WPS Office";

// A box text from its lines.
std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\r\n") + line;
  return text;
}

class PanelStatusTest : public RemovalTest {
 protected:
  // The copies an embedding of MathType's 32-bit ("") or 64-bit ("64")
  // pair leaves in a version folder: the fixture's pair bytes.
  static void EmbedPairIn(const std::string& version_folder, const std::string& bits = "") {
    const std::vector<std::string> paths = PanelPathsIn(version_folder);
    fake::Files().AddFile(Gbk(paths[0]), "dotm" + bits + "-bytes");
    fake::Files().AddFile(Gbk(paths[1]), "wll" + bits + "-bytes");
    fake::Files().AddFile(Gbk(paths[2]), "wll" + bits + "-bytes");
  }
  static std::string Current() { return VersionFolder(kWpsVersion); }
  void SetWps64() { fake::Files().AddFile(Office6File("wps.exe"), fake::kProgram64); }

  // One check, which must leave every file as it was, move no bar, show
  // exactly one box (the report) and be done only when it says embedded.
  PanelState Check() {
    const std::string before = fake::Files().Listing();
    const RunOutcome outcome = Start(RunKind::kCheck);
    EXPECT_EQ(fake::Files().Listing(), before) << "the check changed the machine";
    EXPECT_TRUE(ui.progress_history.empty());
    EXPECT_THAT(ui.Titles(), ElementsAre(kStatusTitle));
    const PanelState state = LookAtPanel(Find()).panel;
    EXPECT_EQ(outcome == RunOutcome::kDone, state == PanelState::kEmbedded);
    return state;
  }
};

constexpr const char* kHint = u8"按Ctrl+C可复制本窗口的内容。";
using CopyWords = std::array<const char*, 3>;
constexpr CopyWords kAllSame = {u8"一致", u8"一致", u8"一致"};
constexpr CopyWords kAllMissing = {u8"缺少", u8"缺少", u8"缺少"};

// The report for a WPS that was found, as the user should read it. The
// defaults are the fixture's MathType and its WPS registered machine-wide,
// 32-bit and closed, without copies in other version folders.
struct ExpectedReport {
  std::string math_type = std::string(u8"MathType 7：") + kMathTypeFolder;
  std::string folder = VersionFolder(kWpsVersion);
  std::string place_and_bits = u8"（安装列表，32位）";
  std::string running = u8"否";
  std::string panel;
  CopyWords copies = kAllMissing;
  std::vector<std::string> other_folders;

  std::string Text() const {
    std::vector<std::string> lines = {math_type, u8"WPS：" + folder + place_and_bits,
                                      u8"WPS正在运行：" + running, u8"MathType面板：" + panel};
    const std::vector<std::string> paths = PanelPathsIn(folder);
    for (std::size_t i = 0; i < paths.size(); ++i) lines.push_back(paths[i] + u8"：" + copies[i]);
    if (other_folders.empty()) {
      lines.push_back(u8"其他版本文件夹中的副本：无");
    } else {
      lines.push_back(u8"其他版本文件夹中的副本：");
      lines.insert(lines.end(), other_folders.begin(), other_folders.end());
    }
    lines.push_back(kHint);
    return JoinLines(lines);
  }
};

ExpectedReport Expect(const char* panel, const CopyWords& copies) {
  ExpectedReport expected;
  expected.panel = panel;
  expected.copies = copies;
  return expected;
}

TEST_F(PanelStatusTest, EmbeddedWhenAllThreeAreThePairsBytes) {
  InstallMathType();
  RegisterWps();
  EmbedPairIn(Current());

  const PanelState state = Check();

  EXPECT_EQ(state, PanelState::kEmbedded);
  EXPECT_EQ(ui.boxes[0].style, kOkInformation);
  EXPECT_EQ(ui.boxes[0].text, Expect(u8"已嵌入", kAllSame).Text());
}

TEST_F(PanelStatusTest, NotEmbeddedWhenNoneIsThereAndEmbedAgainForAnyOtherMix) {
  InstallMathType();
  RegisterWps();
  PanelState state = Check();
  EXPECT_EQ(state, PanelState::kNotEmbedded);
  EXPECT_EQ(ui.boxes[0].style, kOkWarning);
  EXPECT_EQ(ui.boxes[0].text, Expect(u8"未嵌入", kAllMissing).Text());

  // An older MathType's template, the add-in in the start-up folder only.
  const std::vector<std::string> paths = PanelPathsIn(Current());
  fake::Files().AddFile(Gbk(paths[0]), "dotm-bytes of an older MathType");
  fake::Files().AddFile(Gbk(paths[1]), "wll-bytes");
  ui.boxes.clear();
  state = Check();
  EXPECT_EQ(state, PanelState::kNeedsEmbedding);
  EXPECT_EQ(ui.boxes[0].style, kOkWarning);
  EXPECT_EQ(ui.boxes[0].text, Expect(u8"需要重新嵌入", {u8"不一致", u8"一致", u8"缺少"}).Text());
}

TEST_F(PanelStatusTest, AnIncompletePairForWpsCannotBeChecked) {
  InstallMathType();  // the 32-bit pair only
  RegisterWps();
  SetWps64();
  EmbedPairIn(Current());
  EXPECT_EQ(Check(), PanelState::kCannotCheck);
  ExpectedReport expected = Expect(u8"无法检查", {u8"存在", u8"存在", u8"存在"});
  expected.place_and_bits = u8"（安装列表，64位）";
  EXPECT_EQ(ui.boxes[0].text, expected.Text());

}

TEST_F(PanelStatusTest, AMissing32BitAddInCannotBeCheckedEither) {
  AddEntry("DSMT7", "MathType 7", "WIRIS", std::string("\"") + kMathTypeFolder + "\\Setup.exe\" -R");
  fake::Files().AddFile(
      Gbk(std::string(kMathTypeFolder) + "\\Office Support\\32\\MathType Commands 2016.dotm"),
      "dotm-bytes");
  RegisterWps();
  EXPECT_EQ(Check(), PanelState::kCannotCheck);
  EXPECT_EQ(ui.boxes[0].text, Expect(u8"无法检查", kAllMissing).Text());
}

TEST_F(PanelStatusTest, WpsRunningIsToldWithoutWaitingOrAsking) {
  InstallMathType();
  RegisterWps();
  EmbedPairIn(Current());
  fake::Processes().Start(Office6File("wps.exe"));

  EXPECT_EQ(Check(), PanelState::kEmbedded);
  ExpectedReport expected = Expect(u8"已嵌入", kAllSame);
  expected.running = u8"是";
  EXPECT_EQ(ui.boxes[0].text, expected.Text());
}

TEST_F(PanelStatusTest, NothingWhileAnotherRunIsInProgressOrOnceTheWindowCloses) {
  InstallMathType();
  RegisterWps();
  ScriptedUi menu_ui;
  std::vector<RunOutcome> during_embedding;
  ui.on_pump = [&] { during_embedding.push_back(Start(RunKind::kCheck, menu_ui)); };
  static_cast<void>(Run());
  ASSERT_FALSE(during_embedding.empty());
  for (RunOutcome outcome : during_embedding) EXPECT_EQ(outcome, RunOutcome::kBusy);
  EXPECT_TRUE(menu_ui.boxes.empty());

  menu_ui.close_at_pump = 1;
  EXPECT_EQ(Start(RunKind::kCheck, menu_ui), RunOutcome::kStopped);
  EXPECT_TRUE(menu_ui.boxes.empty());
}

// The place that named WPS's folder, for each place the removal looks at.
struct Place {
  const char* what;
  std::string root;
  const char* expected;  // the WPS line after the folder
};
void PrintTo(const Place& place, std::ostream* out) { *out << place.what; }

class PanelStatusPlaceTest : public PanelStatusTest,
                             public ::testing::WithParamInterface<Place> {
 protected:
  void SetUp() override {
    PanelStatusTest::SetUp();
    fake::SetWindows64(true);
    InstallMathType();
  }
  void InstallPlace(const std::string& what, const std::string& root) {
    if (what == "machine") AddWpsEntryUnder(fake::kHkeyLocalMachine, root);
    if (what == "user") AddWpsEntryUnder(fake::kHkeyCurrentUser, root);
    if (what == "machine64") AddWpsEntryUnder(fake::kHkeyLocalMachine64, root);
    if (what == "install root") SetInstallRoot(fake::kHkeyCurrentUser, root + "\\" + kWpsVersion);
    if (what == "shortcut") {
      fake::Files().AddFile(Gbk(root + "\\ksolaunch.exe"), "MZ");
      AddWpsShortcut("WPS Office.lnk", root + "\\ksolaunch.exe");
    }
  }
};

TEST_P(PanelStatusPlaceTest, TheWpsLineNamesThePlace) {
  const Place& place = GetParam();
  AddVersionFolder(place.root, kWpsVersion);
  InstallPlace(place.what, place.root);
  const std::string folder = place.root + "\\" + kWpsVersion;
  EmbedPairIn(folder);

  EXPECT_EQ(Check(), PanelState::kEmbedded);
  ExpectedReport expected = Expect(u8"已嵌入", kAllSame);
  expected.folder = folder;
  expected.place_and_bits = place.expected;
  EXPECT_EQ(ui.boxes[0].text, expected.Text());
}

INSTANTIATE_TEST_SUITE_P(
    EveryPlace, PanelStatusPlaceTest,
    ::testing::Values(Place{"machine", "D:\\WPS", u8"（安装列表，32位）"},
                      Place{"user", "D:\\WPS", u8"（当前用户的安装列表，32位）"},
                      Place{"machine64", kRoot64, u8"（64位安装列表，32位）"},
                      Place{"install root", "D:\\WPS", u8"（InstallRoot，32位）"},
                      Place{"shortcut", "D:\\WPS", u8"（桌面快捷方式，32位）"}));

}  // namespace
}  // namespace pelmora::testing
