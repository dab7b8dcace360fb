// A scripted machine for the removal of the panel: the copies an embedding
// leaves in a version folder, the question that lists them, and the boxes'
// titles and answers.
#pragma once

#include <string>
#include <vector>

#include "workflow_fixture.h"

namespace pelmora::testing {

constexpr int kYesNoQuestion = 0x24;
constexpr int kRetryCancelWarning = 0x35;

inline const char* const kQuestionTitle = u8"移除MathType面板";
inline const char* const kRemovedTitle = u8"移除完毕";
inline const char* const kFailedTitle = u8"移除文件失败";
inline const char* const kWpsRunningTitle = u8"WPS正在运行";

inline std::string VersionFolder(const std::string& version) {
  return std::string(kWpsRoot) + "\\" + version;
}

// The three copies as the embedding leaves them in a version folder, in the
// order the removal lists them.
inline std::vector<std::string> PanelPathsIn(const std::string& version_folder) {
  const std::string office6 = version_folder + "\\office6";
  return {office6 + "\\startup\\MathType Commands 2016.dotm", office6 + "\\startup\\MathPage.wll",
          office6 + "\\MathPage.wll"};
}
// The same in a version folder below the per-user root.
inline std::vector<std::string> PanelPaths(const std::string& version) {
  return PanelPathsIn(VersionFolder(version));
}

inline std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The question's text for these paths (UTF-8), as the user reads it.
inline std::string Question(const std::vector<std::string>& paths) {
  std::string text = u8"将从WPS中删除以下文件：";
  for (const std::string& path : paths) text += "\r\n" + path;
  return text + u8"\r\n\r\n是否继续？";
}

class RemovalTest : public WorkflowTest {
 protected:
  void SetUp() override {
    WorkflowTest::SetUp();
    InstallWpsFolders();
  }

  // WPS's machine-wide entry, naming the current version folder.
  void RegisterWps() {
    AddEntry("Kingsoft Office", "WPS Office (12.1.0.28505)", "Kingsoft Corp.",
             VersionFolder(kWpsVersion) + "\\utility\\uninst.exe");
  }

  // The copies an embedding leaves, in a version folder below the per-user
  // root or anywhere else.
  void PlacePanel(const std::string& version) { PlacePanelIn(VersionFolder(version)); }
  void PlacePanelIn(const std::string& version_folder) {
    for (const std::string& path : PanelPathsIn(version_folder)) {
      fake::Files().AddFile(Gbk(path), "panel-bytes");
    }
  }

  bool Exists(const std::string& path) const { return fake::Files().Exists(Gbk(path)); }

  RunOutcome Remove() { return Start(RunKind::kRemove); }
};

}  // namespace pelmora::testing
