#include "app/placement.h"

#include <cstdint>

#include "app/panel_file_list.h"
#include "app/vba_installer.h"
#include "app/version_names.h"
#include "app/wps_locator.h"
#include "runtime/bitness.h"
#include "runtime/files.h"
#include "runtime/system_error.h"
#include "runtime/system_path.h"
#include "runtime/text.h"

namespace pelmora {
namespace {

// Fault locations of this file's array reads, for the fatal report.
constexpr std::int32_t kLocateWpsSubroutine = 0x00130002;

constexpr const char* kTemplate64 = "Office Support\\64\\MathType Commands 2016.dotm";
constexpr const char* kAddIn64 = "MathPage\\64\\MathPage.wll";

// The 1-based index of the version folder to use: the newest version among
// the subfolders that hold office6, the later one on a tie; when none holds
// office6, the last subfolder, as listed.
std::int32_t ChooseVersionFolder(TextView base_folder, const TextArray& list) {
  std::int32_t count = list.ElementCount();
  std::int32_t chosen = 0;
  for (std::int32_t index = 1; index <= count; ++index) {
    TextView name = list.At(index, {kLocateWpsSubroutine, 1});
    if (!FileExists(JoinTexts({base_folder, "\\", name, "\\office6"}))) continue;
    if (chosen == 0 ||
        CompareVersionNames(name, list.At(chosen, {kLocateWpsSubroutine, 2})) >= 0) {
      chosen = index;
    }
  }
  return chosen != 0 ? chosen : count;
}

// MathType's pair for a 64-bit WPS; false, after the box a missing 32-bit
// file gives, when MathType lacks it.
bool Take64BitPair(WorkflowRun& run, Text* template_path, Text* add_in_path) {
  const WorkflowPaths& paths = Paths();
  *template_path = JoinTexts({paths.math_type_folder, kTemplate64});
  *add_in_path = JoinTexts({paths.math_type_folder, kAddIn64});
  if (!FileExists(*template_path)) {
    run.Show(messages::kTemplateMissing);
    return false;
  }
  if (!FileExists(*add_in_path)) {
    run.Show(messages::kAddInMissing);
    return false;
  }
  return true;
}

}  // namespace

WorkflowPaths& Paths() {
  static WorkflowPaths paths;
  return paths;
}

void ReleaseWorkflowPaths() { Paths() = WorkflowPaths(); }

std::optional<Text> SearchDesktopShortcut(WorkflowRun& run, TextView desktop_folder) {
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

  if (run.Stopped()) return std::nullopt;
  if (!found) {
    run.Show(messages::kNoDesktopShortcut);
    return std::nullopt;
  }
  return LocateWpsFromShortcut(run, chosen);
}

std::optional<Text> LocateWpsFromShortcut(WorkflowRun& run, TextView shortcut_path) {
  Text target = ResolveShortcut(shortcut_path);
  // The target comes from the system, in its code page: on a Western
  // Windows "...\Café\ksolaunch.exe" must not lose the backslash after é.
  Text base_folder = ParentFolder(target);
  TextArray list = PathDirList(base_folder);

  // An unreadable shortcut or a folder without version subfolders leaves
  // nothing to place into; say so instead of reading an empty list.
  if (base_folder.empty() || list.ElementCount() == 0) {
    run.Show(messages::kNoVersionFolder);
    return std::nullopt;
  }
  // Updates keep the old version folders, and listing order is not version
  // order: 11.1.0.9584 is listed after 11.1.0.10132.
  std::int32_t chosen = ChooseVersionFolder(base_folder, list);
  TextView version = list.At(chosen, {kLocateWpsSubroutine, 3});
  return JoinTexts({base_folder, "\\", version});
}

void SetWpsFolders(TextView version_folder) {
  WorkflowPaths& paths = Paths();
  paths.wps_version_folder = Text::From(version_folder);
  paths.wps_startup_folder = JoinTexts({version_folder, "\\office6\\startup"});
  paths.wps_office6_folder = JoinTexts({version_folder, "\\office6"});
}

void TakeWpsVersionFolder(WorkflowRun& run, TextView version_folder) {
  SetWpsFolders(version_folder);
  if (!FileExists(Paths().wps_startup_folder)) run.Show(messages::kWpsFolderMissing);
}

void PlaceComponents(WorkflowRun& run) {
  if (run.Stopped()) return;
  if (!run.math_type_recognised) {
    // Copying from empty paths would announce success for nothing.
    if (!run.math_type_missing_shown) run.Show(messages::kMathTypeMissing);
    return;
  }

  WorkflowPaths& paths = Paths();
  // WPS loads only an add-in of its own bitness; a wps.exe that cannot be
  // examined keeps the 32-bit pair, which every WPS before 12.1 needs.
  Text template_path = Text::From(paths.math_type_template);
  Text add_in_path = Text::From(paths.math_type_add_in);
  Text wps_program = JoinTexts({paths.wps_office6_folder, "\\wps.exe"});
  if (BitnessOfProgram(wps_program) == ProgramBitness::k64Bit &&
      !Take64BitPair(run, &template_path, &add_in_path)) {
    return;
  }
  if (run.Stopped()) return;
  // A running WPS holds the add-in, and would only read new start-up files
  // after a restart anyway.
  if (!WaitUntilWpsClosed(run, paths.wps_version_folder)) return;

  BoxText failures;
  for (const PanelFile& file : kPanelFiles) {
    if (run.Stopped()) return;
    const Text& source = file.source == PanelSource::kTemplate ? template_path : add_in_path;
    const Text& folder = file.folder == PanelFolder::kStartup ? paths.wps_startup_folder
                                                               : paths.wps_office6_folder;
    Text destination = JoinTexts({folder, "\\", file.name});
    std::uint32_t error = 0;
    if (!CopyFileTo(source, destination, &error)) {
      failures.AppendSystem(destination)
          .Append(BoxText::Fill(messages::kCopyFailedReason, DescribeSystemError(error)));
    }
  }
  if (run.Stopped()) return;
  if (!failures.empty()) {
    run.Show(messages::kCopyFailedTitle, BoxText::Fill(messages::kCopyFailedText, failures));
    return;
  }
  run.SetProgress(kProgressComponentsCopied);
  InstallVbaPrerequisite(run);
}

}  // namespace pelmora
