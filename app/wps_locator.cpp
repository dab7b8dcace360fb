#include "app/wps_locator.h"

#include "app/placement.h"
#include "app/wps_sources.h"
#include "runtime/bitness.h"
#include "runtime/files.h"
#include "runtime/system_path.h"
#include "runtime/text.h"

namespace pelmora {
namespace {

constexpr const char* kInstallRootValue = "Software\\Kingsoft\\Office\\6.0\\Common\\InstallRoot";

// The folder without its final backslashes. The check is double-byte
// aware: a path may end in a character whose second byte is 0x5C.
Text WithoutTrailingBackslash(TextView folder) {
  Text result = Text::From(folder);
  for (;;) {
    const char* last = FindLastPathBackslash(result);
    if (last == nullptr || last[1] != '\0') return result;
    result = LeftText(result, static_cast<std::int32_t>(last - result.c_str()));
  }
}

std::optional<Text> InstallRootIn(RegistryView view, std::int32_t root_number) {
  Text folder = WithoutTrailingBackslash(ReadRegistryTextIn(view, root_number, kInstallRootValue));
  // A value left behind by an uninstalled WPS names a folder that is gone.
  if (folder.empty() || !FileExists(folder)) return std::nullopt;
  return folder;
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

std::optional<Text> LocateWpsAfterMachineList(WorkflowRun& run, WpsRoute* route) {
  *route = WpsRoute::kRegistry;
  // Personal editions install per user; the entry is then the user's own.
  std::optional<Text> folder = WpsFromUninstallList(run, kUserUninstallList);
  // On 32-bit Windows the 64-bit view is the machine-wide list again.
  if (!folder && !run.Stopped() && WindowsIs64Bit()) {
    folder = WpsFromUninstallList(run, kMachine64UninstallList);
  }
  if (!folder && !run.Stopped()) folder = WpsFromInstallRoot();
  if (run.Stopped()) return std::nullopt;
  if (folder) return folder;

  *route = WpsRoute::kShortcut;
  Text desktop = GetSpecialFolder(kFolderDesktop);
  return SearchDesktopShortcut(run, desktop);
}

std::optional<Text> LocateWpsVersionFolder(WorkflowRun& run) {
  std::optional<Text> folder = WpsFromUninstallList(run, kMachineUninstallList);
  if (run.Stopped()) return std::nullopt;
  if (folder) return folder;
  WpsRoute route;
  return LocateWpsAfterMachineList(run, &route);
}

}  // namespace pelmora
