#include "app/wps_locator.h"

#include "app/version_names.h"
#include "app/wps_sources.h"
#include "runtime/system/bitness.h"
#include "runtime/system/files.h"
#include "runtime/system/system_path.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

// Fault locations of the desktop route's list reads, for the fatal report.
constexpr FaultLocation kVersionNameRead = {0x00130002, 1};
constexpr FaultLocation kChosenNameRead = {0x00130002, 2};
constexpr FaultLocation kVersionFolderRead = {0x00130002, 3};

constexpr const char* kInstallRootValue = "Software\\Kingsoft\\Office\\6.0\\Common\\InstallRoot";

std::optional<Text> InstallRootIn(RegistryView view, std::int32_t root_number) {
  Text folder = WithoutTrailingBackslash(ReadRegistryTextIn(view, root_number, kInstallRootValue));
  // A value left behind by an uninstalled WPS names a folder that is gone.
  if (folder.empty() || !FileExists(folder)) return std::nullopt;
  return folder;
}

// The 1-based index of the version folder to use: the newest version among
// the subfolders that hold office6, the later one on a tie; when none holds
// office6, the last subfolder, as listed.
std::int32_t ChooseVersionFolder(TextView base_folder, const TextArray& list) {
  std::int32_t count = list.ElementCount();
  std::int32_t chosen = 0;
  for (std::int32_t index = 1; index <= count; ++index) {
    TextView name = list.At(index, kVersionNameRead);
    if (!FileExists(JoinTexts({base_folder, "\\", name, "\\office6"}))) continue;
    if (chosen == 0 || CompareVersionNames(name, list.At(chosen, kChosenNameRead)) >= 0) {
      chosen = index;
    }
  }
  return chosen != 0 ? chosen : count;
}

// The version folder below the folder of the shortcut's target: the newest
// version among the subfolders that hold office6, else the last subfolder.
// "未找到WPS的安装目录" when the target cannot be read or has no subfolder.
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
  TextView version = list.At(chosen, kVersionFolderRead);
  return JoinTexts({base_folder, "\\", version});
}

// The last desktop shortcut with "wps" in its name, followed to WPS's
// version folder; the "no shortcut" box when there is none.
std::optional<Text> SearchDesktopShortcut(WorkflowRun& run, TextView desktop_folder) {
  Text pattern = JoinTexts({desktop_folder, "*.lnk"});
  Text chosen;
  {
    UniqueFileSearch search;
    for (Text name = FindFile(pattern, std::nullopt, &search); !name.empty();
         name = FindFile("", std::nullopt, &search)) {
      if (FindText(name, "wps", std::nullopt, LetterCase::kIgnore) != -1) {
        chosen = JoinTexts({desktop_folder, name});
      }
    }
  }

  if (run.Stopped()) return std::nullopt;
  if (chosen.empty()) {
    run.Show(messages::kNoDesktopShortcut);
    return std::nullopt;
  }
  return LocateWpsFromShortcut(run, chosen);
}

}  // namespace

std::optional<Text> WpsFromUninstallList(WorkflowRun& run, const UninstallList& list) {
  std::optional<Text> found;
  for (const Text& name : RegistrySubkeyNames(list.view, list.root_number, kUninstallKey)) {
    if (PassesNameFilters(name)) {
      Text key_path = JoinTexts({kUninstallPrefix, name});
      // The last WPS entry wins, as in the machine-wide scan.
      if (IsWpsEntry(list, key_path)) {
        found = WithoutTrailingBackslash(WpsFolderOfEntry(list, key_path));
      }
    }
    run.PumpEvents();
    if (run.Stopped()) return std::nullopt;
  }
  return found;
}

std::optional<Text> WpsFromInstallRoot() {
  if (std::optional<Text> folder = InstallRootIn(RegistryView::kOwn, kRootCurrentUser)) return folder;
  if (std::optional<Text> folder = InstallRootIn(RegistryView::kOwn, kRootLocalMachine)) return folder;
  if (WindowsIs64Bit()) return InstallRootIn(RegistryView::k64Bit, kRootLocalMachine);
  return std::nullopt;
}

std::optional<Text> LocateWpsAfterMachineList(WorkflowRun& run, WpsPlace* place) {
  // Personal editions install per user; the entry is then the user's own.
  *place = WpsPlace::kUserList;
  std::optional<Text> folder = WpsFromUninstallList(run, kUserUninstallList);
  // On 32-bit Windows the 64-bit view is the machine-wide list again.
  if (!folder && !run.Stopped() && WindowsIs64Bit()) {
    *place = WpsPlace::kMachine64List;
    folder = WpsFromUninstallList(run, kMachine64UninstallList);
  }
  if (!folder && !run.Stopped()) {
    *place = WpsPlace::kInstallRoot;
    folder = WpsFromInstallRoot();
  }
  if (run.Stopped()) return std::nullopt;
  if (folder) return folder;

  *place = WpsPlace::kDesktopShortcut;
  Text desktop = GetSpecialFolder(kFolderDesktop);
  return SearchDesktopShortcut(run, desktop);
}

std::optional<Text> LocateWpsVersionFolder(WorkflowRun& run, WpsPlace* place) {
  WpsPlace found_at = WpsPlace::kMachineList;
  std::optional<Text> folder = WpsFromUninstallList(run, kMachineUninstallList);
  if (run.Stopped()) return std::nullopt;
  if (!folder) folder = LocateWpsAfterMachineList(run, &found_at);
  if (place != nullptr) *place = found_at;
  return folder;
}

}  // namespace pelmora
