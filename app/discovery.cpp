#include "app/discovery.h"

#include "app/uninstall_entries.h"
#include "app/wps_sources.h"
#include "runtime/system/files.h"
#include "runtime/system/registry.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

// The boxes for a MathType 7 entry whose pair is incomplete; the paths are
// recorded all the same.
void TakeMathTypeEntry(WorkflowRun& run, TextView entry_key_path, WorkflowPaths& paths,
                       MathTypeFound* found) {
  Text folder = EntryFolder(kMachineUninstallList, entry_key_path);
  paths.math_type_folder = Text::From(folder);
  paths.math_type = MathTypePairFor(folder, ProgramBitness::k32Bit);
  found->folder = std::move(folder);

  if (!FileExists(paths.math_type.template_file)) {
    run.Show(messages::kTemplateMissing);
  } else if (!FileExists(paths.math_type.add_in)) {
    run.Show(messages::kAddInMissing);
  }
}

// The folder of the entry ends in its backslash (when the command had one).
WpsFolders TakeWpsEntry(WorkflowRun& run, TextView entry_key_path, WorkflowPaths& paths) {
  WpsFolders folders = WpsFoldersBelow(WpsFolderOfEntry(kMachineUninstallList, entry_key_path));
  paths.wps = folders;
  if (!FileExists(folders.startup)) run.Show(messages::kWpsFolderMissing);
  return folders;
}

// The checks and boxes for one subkey that passed the name filters. Returns
// false when the window was closed meanwhile.
bool ExamineEntry(WorkflowRun& run, TextView key_path, WorkflowPaths& paths,
                  MachineListScan* scan) {
  std::optional<Text> display_name = ListedDisplayName(kMachineUninstallList, key_path);
  if (!display_name) return true;

  run.PumpEvents();
  if (run.Stopped()) return false;

  switch (MatchEntry(kMachineUninstallList, key_path, *display_name, kMathType7Marks)) {
    case EntryMatch::kProduct:
      TakeMathTypeEntry(run, key_path, paths, &scan->math_type);
      if (run.Stopped()) return false;
      run.SetProgress(kProgressMathTypeFound);
      break;
    case EntryMatch::kNameOnly:
      run.Show(messages::kMathTypeMissing);
      scan->math_type.missing_shown = true;
      break;
    case EntryMatch::kOther:
      break;
  }
  if (run.Stopped()) return false;

  switch (MatchEntry(kMachineUninstallList, key_path, *display_name, kWpsMarks)) {
    case EntryMatch::kProduct:
      run.SetProgress(kProgressWpsFound);
      scan->wps = TakeWpsEntry(run, key_path, paths);
      break;
    case EntryMatch::kNameOnly:
      run.Show(messages::kWpsMissing);
      break;
    case EntryMatch::kOther:
      break;
  }
  return !run.Stopped();
}

}  // namespace

std::optional<MachineListScan> ScanMachineUninstallList(WorkflowRun& run, WorkflowPaths& paths) {
  MachineListScan scan;
  // A key that cannot be opened lists no names, which ends the scan.
  SubkeyNames names(kMachineUninstallList.view, kMachineUninstallList.root_number, kUninstallKey);
  Text name;
  while (names.Next(&name)) {
    Text key_path = JoinTexts({kUninstallPrefix, name});
    if (PassesNameFilters(name)) {
      if (!ExamineEntry(run, key_path, paths, &scan)) return std::nullopt;
    }
    run.PumpEvents();
    if (run.Stopped()) return std::nullopt;
  }
  return scan;
}

std::optional<Installations> FindMathTypeAndWps(WorkflowRun& run, WorkflowPaths& paths) {
  std::optional<MachineListScan> scan = ScanMachineUninstallList(run, paths);
  if (!scan) return std::nullopt;
  // An entry gave WPS's folders: the last one counts, and nothing else is
  // looked at.
  if (scan->wps) return Installations{std::move(scan->math_type), std::move(*scan->wps)};

  // The places the removal of the panel looks at too, in the same order;
  // they say nothing about entries that are not WPS.
  WpsPlace place;
  std::optional<Text> version_folder = LocateWpsAfterMachineList(run, &place);
  if (!version_folder || run.Stopped()) return std::nullopt;
  // The registry's places count as the scan's own finding; the shortcut
  // route never moved the bar.
  const bool from_registry = place != WpsPlace::kDesktopShortcut;
  if (from_registry) run.SetProgress(kProgressWpsFound);
  WpsFolders folders = WpsFoldersOfVersion(*version_folder);
  paths.wps = folders;
  // The scan's box for a WPS without its start-up folder; the shortcut
  // route has always gone on without it.
  if (from_registry && !FileExists(folders.startup)) {
    run.Show(messages::kWpsFolderMissing);
  }
  return Installations{std::move(scan->math_type), std::move(folders)};
}

}  // namespace pelmora
