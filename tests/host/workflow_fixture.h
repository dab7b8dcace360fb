// A scripted window and a scripted machine for workflow runs on the host.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <optional>

#include "app/finder.h"
#include "app/run_context.h"
#include "app/run_log.h"
#include "app/runs.h"
#include "app/workflow_ui.h"
#include "fakes/fake_machine.h"
#include "fakes/fake_system.h"
#include "fakes/code_page_fake.h"
#include "fakes/gbk.h"
#include "fakes/vba_payload_fake.h"
#include "runtime/window/dialogs.h"
#include "runtime/system/files.h"
#include "runtime/system/run_directory.h"

namespace pelmora::testing {

struct BoxSeen {
  std::string title;  // UTF-8
  std::string text;   // UTF-8
  int style;
  int progress;  // the bar's position while the box was up
};

class ScriptedUi : public WorkflowUi {
 public:
  std::int32_t ShowBox(TextView title, const BoxText& text, std::int32_t style) override {
    std::string utf8;
    for (const BoxText::Part& part : text.parts()) {
      utf8 += part.code_page == BoxText::CodePage::kGbk ? fake::GbkToUtf8(part.bytes)
                                                         : fake::SystemToUtf8(part.bytes);
    }
    boxes.push_back({fake::GbkToUtf8(title.c_str()), utf8, style, progress});
    if (on_box) on_box(boxes.back());
    if (answers.empty()) return 0;
    int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void SetProgress(std::int32_t percent) override {
    ASSERT_TRUE(open) << "progress written after the window was closed";
    progress = percent;
    progress_history.push_back(percent);
  }
  void PumpEvents() override {
    ++pumps;
    if (pumps == close_at_pump) open = false;
    if (on_pump) on_pump();
  }
  bool WindowOpen() override { return open; }

  std::vector<std::string> Titles() const {
    std::vector<std::string> titles;
    for (const BoxSeen& box : boxes) titles.push_back(box.title);
    return titles;
  }

  std::vector<BoxSeen> boxes;
  std::deque<int> answers;
  std::function<void(const BoxSeen&)> on_box;
  std::function<void()> on_pump;
  std::vector<int> progress_history;
  int progress = 0;
  int pumps = 0;
  int close_at_pump = -1;
  bool open = true;
};

inline std::string Gbk(const std::string& utf8) { return fake::Utf8ToGbk(utf8); }

// The runtime's numbers of the buttons a box answers with (BoxButton, not
// the system's IDOK and IDCANCEL), written out here so the tests check the
// program against the runtime's contract, not against itself.
constexpr int kCancel = 1;
constexpr int kRetry = 3;
constexpr int kYes = 5;
constexpr int kNo = 6;

constexpr const char* kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kDesktop = "C:\\users\\tester\\Desktop";
constexpr const char* kRunDirectory = "C:\\Tools";
constexpr const char* kMathTypeFolder = "C:\\Program Files (x86)\\MathType";
constexpr const char* kWpsRoot = "C:\\users\\tester\\AppData\\Local\\Kingsoft\\WPS Office";
constexpr const char* kWpsVersion = "12.1.0.28505";

class WorkflowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::Registry().Clear();
    fake::Files().Clear();
    fake::ClearSystem();
    RecordRunDirectory("C:\\Tools\\pelmora.exe");
    fake::Files().AddFile("C:\\Tools\\pelmora.exe", "MZ");
    fake::Files().AddFolder(kDesktop);
    fake::Files().SetSpecialFolder(kFolderDesktop, kDesktop);
  }

  void AddEntry(const std::string& subkey, const std::string& display_name,
                const std::string& publisher, const std::string& uninstall) {
    AddEntryUnder(fake::kHkeyLocalMachine, subkey, display_name, publisher, uninstall);
  }
  // The same in another list: fake::kHkeyCurrentUser (per user) or
  // fake::kHkeyLocalMachine64 (the machine-wide list's 64-bit view).
  void AddEntryUnder(std::uint32_t root, const std::string& subkey,
                     const std::string& display_name, const std::string& publisher,
                     const std::string& uninstall) {
    std::string key = std::string(kUninstall) + "\\" + Gbk(subkey);
    fake::Registry().CreateKey(root, key);
    fake::Registry().SetString(root, key, "DisplayName", Gbk(display_name));
    if (!publisher.empty()) fake::Registry().SetString(root, key, "Publisher", Gbk(publisher));
    fake::Registry().SetString(root, key, "UninstallString", Gbk(uninstall));
  }
  // WPS's own entry for a version folder below `root_folder`.
  void AddWpsEntryUnder(std::uint32_t root, const std::string& root_folder,
                        const std::string& version = kWpsVersion) {
    AddEntryUnder(root, "Kingsoft Office", "WPS Office (" + version + ")", "Kingsoft Corp.",
                  root_folder + "\\" + version + "\\utility\\uninst.exe");
  }
  void SetInstallRoot(std::uint32_t root, const std::string& folder) {
    fake::Registry().SetString(root, "Software\\Kingsoft\\Office\\6.0\\Common", "InstallRoot",
                               Gbk(folder));
  }

  // MathType 7 as its installer leaves it: entry DSMT7 and both files.
  void InstallMathType(const std::string& folder = kMathTypeFolder) {
    AddEntry("DSMT7", "MathType 7", "WIRIS", "\"" + folder + "\\Setup.exe\" -R");
    fake::Files().AddFile(Gbk(folder + "\\Office Support\\32\\MathType Commands 2016.dotm"),
                          "dotm-bytes");
    fake::Files().AddFile(Gbk(folder + "\\MathPage\\32\\MathPage.wll"), "wll-bytes");
  }

  // WPS's folders on disk (the per-user install has no machine-wide entry).
  void InstallWpsFolders(const std::string& root = kWpsRoot,
                         const std::string& version = kWpsVersion) {
    fake::Files().AddFile(Gbk(root + "\\ksolaunch.exe"), "MZ");
    fake::Files().AddFolder(Gbk(root + "\\" + version + "\\office6\\startup"));
    fake::Files().AddFile(Gbk(root + "\\" + version + "\\utility\\uninst.exe"), "MZ");
  }

  void AddWpsShortcut(const std::string& name = "WPS Office.lnk",
                      const std::string& target = std::string(kWpsRoot) + "\\ksolaunch.exe") {
    fake::Files().AddShortcut(Gbk(std::string(kDesktop) + "\\" + name), Gbk(target));
  }

  // A version folder of WPS with office6\startup, without the launcher.
  void AddVersionFolder(const std::string& root, const std::string& version) {
    fake::Files().AddFolder(Gbk(root + "\\" + version + "\\office6\\startup"));
  }
  // MathType's 64-bit pair, distinct from the 32-bit one.
  void AddMathType64Pair(const std::string& folder = kMathTypeFolder) {
    fake::Files().AddFile(Gbk(folder + "\\Office Support\\64\\MathType Commands 2016.dotm"),
                          "dotm64-bytes");
    fake::Files().AddFile(Gbk(folder + "\\MathPage\\64\\MathPage.wll"), "wll64-bytes");
  }

  // Where the files of a run landed: `version_folder` + \office6\...
  static std::string Landed(const std::string& version_folder, const std::string& name) {
    auto content = fake::Files().ReadFile(Gbk(version_folder + "\\office6\\" + name));
    return content ? *content : "(missing)";
  }

  std::string StartupFile(const std::string& name) const {
    return Gbk(std::string(kWpsRoot) + "\\" + kWpsVersion + "\\office6\\startup\\" + name);
  }
  std::string Office6File(const std::string& name) const {
    return Gbk(std::string(kWpsRoot) + "\\" + kWpsVersion + "\\office6\\" + name);
  }
  static std::string VbaPath() { return "C:\\Tools\\vba.exe"; }

  // One run as the program starts it; the fixture is one program, so a
  // run started inside another is refused.
  RunOutcome Start(RunKind kind, WorkflowUi& on) {
    if (!runs_) runs_.emplace(log);
    return runs_->Start(kind, on);
  }
  RunOutcome Start(RunKind kind) { return Start(kind, ui); }
  RunOutcome Run() { return Start(RunKind::kEmbed); }

  // What the finder sees of the machine, without a box.
  Findings Find() {
    RunContext run(ui, log);
    std::optional<Findings> found = FindInstallations(run);
    EXPECT_TRUE(found.has_value()) << "the window was closed";
    return found ? std::move(*found) : Findings();
  }

  ScriptedUi ui;
  RunLog log;

 private:
  std::optional<Runs> runs_;
};

// Titles of the boxes, as the user sees them.
inline const char* const kVbaNoticeTitle = u8"嵌入提示！";
inline const char* const kVbaQuestionTitle = u8"重要提示！";
inline const char* const kDoneTitle = u8"成功！";

}  // namespace pelmora::testing
