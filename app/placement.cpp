#include "app/placement.h"

#include <cstdint>
#include <string>

#include "app/vba_installer.h"
#include "runtime/files.h"
#include "runtime/system_error.h"
#include "runtime/text.h"

namespace pelmora {
namespace {

// Fault locations of this file's array reads, for the fatal report.
constexpr std::int32_t kLocateWpsSubroutine = 0x00130002;

struct CopyJob {
  const Text* source;
  const Text* folder;
  const char* file_name;
};

void ShowCopyFailures(WorkflowRun& run, const std::string& lines) {
  Text text = JoinTexts({messages::kCopyFailedLead, "\r\n\r\n", lines.c_str(), "\r\n",
                         messages::kCopyFailedAdvice});
  run.Show(messages::kCopyFailedTitle, text);
}

}  // namespace

WorkflowPaths& Paths() {
  static WorkflowPaths paths;
  return paths;
}

void ReleaseWorkflowPaths() { Paths() = WorkflowPaths(); }

void SearchDesktopShortcut(WorkflowRun& run, TextView desktop_folder) {
  Text pattern = JoinTexts({desktop_folder, "*.lnk"});
  SearchHandleSlot slot = 0;
  Text chosen;
  bool found = false;

  Text name = FindFile(pattern, std::nullopt, &slot);
  while (!name.empty()) {
    if (FindText(name, "wps", std::nullopt, LetterCase::kIgnore) != -1) {
      chosen = JoinTexts({desktop_folder, name});
      found = true;
    }
    name = FindFile("", std::nullopt, &slot);
  }
  EndFileSearch(slot);

  if (run.Stopped()) return;
  if (found) {
    LocateWpsFromShortcut(run, chosen);
  } else {
    run.Show(messages::kNoDesktopShortcut);
  }
}

void LocateWpsFromShortcut(WorkflowRun& run, TextView shortcut_path) {
  Text target = ResolveShortcut(shortcut_path);
  std::int32_t last = FindTextFromEnd(target, "\\", std::nullopt, LetterCase::kExact);
  target = LeftText(target, last);
  Text base_folder = LeftText(target, TextLength(target) - 1);
  TextArray list = PathDirList(base_folder);

  // An unreadable shortcut or a folder without version subfolders leaves
  // nothing to place into; say so instead of reading an empty list.
  if (base_folder.empty() || list.ElementCount() == 0) {
    run.Show(messages::kNoVersionFolder);
    return;
  }

  WorkflowPaths& paths = Paths();
  TextView version = list.At(list.ElementCount(), {kLocateWpsSubroutine, 1});
  paths.wps_startup_folder = JoinTexts({base_folder, "\\", version, "\\office6\\startup"});
  version = list.At(list.ElementCount(), {kLocateWpsSubroutine, 2});
  paths.wps_office6_folder = JoinTexts({base_folder, "\\", version, "\\office6"});
  PlaceComponents(run);
}

void PlaceComponents(WorkflowRun& run) {
  if (run.Stopped()) return;
  if (!run.math_type_recognised) {
    // Copying from empty paths would announce success for nothing.
    if (!run.math_type_missing_shown) run.Show(messages::kMathTypeMissing);
    return;
  }

  WorkflowPaths& paths = Paths();
  const CopyJob jobs[] = {
      {&paths.math_type_template, &paths.wps_startup_folder, "\\MathType Commands 2016.dotm"},
      {&paths.math_type_add_in, &paths.wps_startup_folder, "\\MathPage.wll"},
      {&paths.math_type_add_in, &paths.wps_office6_folder, "\\MathPage.wll"},
  };
  std::string failures;
  for (const CopyJob& job : jobs) {
    if (run.Stopped()) return;
    Text destination = JoinTexts({*job.folder, job.file_name});
    std::uint32_t error = 0;
    if (!CopyFileTo(*job.source, destination, &error)) {
      Text reason = DescribeSystemError(error);
      failures += destination.c_str();
      failures += "\r\n    ";
      failures += messages::kReasonLabel;
      failures += reason.c_str();
      failures += "\r\n";
    }
  }
  if (run.Stopped()) return;
  if (!failures.empty()) {
    ShowCopyFailures(run, failures);
    return;
  }
  run.SetProgress(80);
  InstallVbaPrerequisite(run);
}

}  // namespace pelmora
