#include "app/wps_places.h"

#include <vector>

#include "app/version_names.h"
#include "runtime/system/bitness.h"
#include "runtime/system/files.h"
#include "runtime/system/registry.h"
#include "runtime/system/system_path.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

// Fault locations of the desktop route's list reads, for the fatal report.
constexpr FaultLocation kVersionNameRead = {0x00130002, 1};
constexpr FaultLocation kChosenNameRead = {0x00130002, 2};
constexpr FaultLocation kVersionFolderRead = {0x00130002, 3};

constexpr const char* kInstallRootValue = "Software\\Kingsoft\\Office\\6.0\\Common\\InstallRoot";

// The list's last WPS entry, recognised as the machine-wide scan
// recognises it.
std::optional<WpsFolders> WpsFromUninstallList(ScanContext& scan, const UninstallList& list) {
  std::optional<std::vector<ListFinding>> findings = ScanUninstallList(scan, list);
  if (!findings) return std::nullopt;
  const ListFinding* wps = LastFinding(*findings, ListFinding::Kind::kWps);
  if (wps == nullptr) return std::nullopt;
  return wps->wps;
}

std::optional<Text> InstallRootIn(RegistryView view, std::int32_t root_number) {
  Text folder = WithoutTrailingBackslash(ReadRegistryTextIn(view, root_number, kInstallRootValue));
  // A value left behind by an uninstalled WPS names a folder that is gone.
  if (folder.empty() || !PathExists(folder)) return std::nullopt;
  return folder;
}

// HKEY_CURRENT_USER first, then HKEY_LOCAL_MACHINE, then (64-bit Windows
// only) its 64-bit view.
std::optional<WpsFolders> WpsFromInstallRoot() {
  std::optional<Text> folder = InstallRootIn(RegistryView::kOwn, kRootCurrentUser);
  if (!folder) folder = InstallRootIn(RegistryView::kOwn, kRootLocalMachine);
  if (!folder && WindowsIs64Bit()) folder = InstallRootIn(RegistryView::k64Bit, kRootLocalMachine);
  if (!folder) return std::nullopt;
  return WpsFoldersOf(*folder);
}

// The 1-based index of the version folder to use: the newest version among
// the subfolders that hold office6, the later one on a tie; when none holds
// office6, the last subfolder, as listed.
std::int32_t ChooseVersionFolder(TextView base_folder, const TextArray& list) {
  std::int32_t count = list.ElementCount();
  std::int32_t chosen = 0;
  for (std::int32_t index = 1; index <= count; ++index) {
    TextView name = list.At(index, kVersionNameRead);
    if (!PathExists(WpsFoldersOf(JoinTexts({base_folder, "\\", name})).office6)) continue;
    if (chosen == 0 || CompareVersionNames(name, list.At(chosen, kChosenNameRead)) >= 0) {
      chosen = index;
    }
  }
  return chosen != 0 ? chosen : count;
}

// The version folder below the folder of the shortcut's target. Nothing
// when the target cannot be read or its folder has no subfolder.
std::optional<Text> VersionFolderFromShortcut(TextView shortcut_path) {
  Text target = ReadShortcutTarget(shortcut_path);
  // The target comes from the system, in its code page: on a Western
  // Windows "...\Café\ksolaunch.exe" must not lose the backslash after é.
  Text base_folder = ParentFolder(target);
  TextArray list = PathDirList(base_folder);
  if (base_folder.empty() || list.ElementCount() == 0) return std::nullopt;
  // Updates keep the old version folders, and listing order is not version
  // order: 11.1.0.9584 is listed after 11.1.0.10132.
  std::int32_t chosen = ChooseVersionFolder(base_folder, list);
  TextView version = list.At(chosen, kVersionFolderRead);
  return JoinTexts({base_folder, "\\", version});
}

// The last desktop shortcut with "wps" in its name; empty when there is
// none.
Text LastWpsShortcut() {
  Text desktop_folder = GetSpecialFolder(kFolderDesktop);
  Text pattern = JoinTexts({desktop_folder, "*.lnk"});
  Text chosen;
  UniqueFileSearch search;
  for (Text name = FindFile(pattern, std::nullopt, &search); !name.empty();
       name = FindFile("", std::nullopt, &search)) {
    if (FindText(name, "wps", std::nullopt, LetterCase::kIgnore) != -1) {
      chosen = JoinTexts({desktop_folder, name});
    }
  }
  return chosen;
}

WpsSearch SearchDesktop(ScanContext& scan) {
  Text shortcut = LastWpsShortcut();
  if (shortcut.empty()) {
    scan.Log(messages::kLogNoShortcut);
    return {std::nullopt, WpsAbsence::kNoShortcut};
  }
  std::optional<Text> version_folder = VersionFolderFromShortcut(shortcut);
  if (!version_folder) {
    scan.Log(messages::kLogNoVersionFolder);
    return {std::nullopt, WpsAbsence::kNoVersionFolder};
  }
  scan.Log(messages::kLogPlaceGave, {WpsPlaceName(WpsPlace::kDesktopShortcut),
                                     BoxText().AppendSystem(*version_folder)});
  return {WpsLocation{WpsFoldersOf(*version_folder), WpsPlace::kDesktopShortcut}};
}

}  // namespace

const char* WpsPlaceName(WpsPlace place) {
  switch (place) {
    case WpsPlace::kMachineList:
      return messages::kStatusPlaceMachineList;
    case WpsPlace::kUserList:
      return messages::kStatusPlaceUserList;
    case WpsPlace::kMachine64List:
      return messages::kStatusPlaceMachine64List;
    case WpsPlace::kInstallRoot:
      return messages::kStatusPlaceInstallRoot;
    case WpsPlace::kDesktopShortcut:
      break;
  }
  return messages::kStatusPlaceShortcut;
}

std::optional<WpsSearch> LocateWpsAfterMachineList(ScanContext& scan) {
  struct RegistryPlace {
    WpsPlace place;
    std::optional<WpsFolders> (*find)(ScanContext&);
  };
  // Personal editions install per user; on 32-bit Windows the 64-bit view
  // is the machine-wide list again.
  const RegistryPlace places[] = {
      {WpsPlace::kUserList,
       [](ScanContext& s) { return WpsFromUninstallList(s, kUserUninstallList); }},
      {WpsPlace::kMachine64List,
       [](ScanContext& s) { return WpsFromUninstallList(s, kMachine64UninstallList); }},
      {WpsPlace::kInstallRoot, [](ScanContext&) { return WpsFromInstallRoot(); }},
  };
  for (const RegistryPlace& place : places) {
    if (place.place == WpsPlace::kMachine64List && !WindowsIs64Bit()) continue;
    std::optional<WpsFolders> folders = place.find(scan);
    if (scan.Stopped()) return std::nullopt;
    if (!folders) {
      scan.Log(messages::kLogPlaceEmpty, {WpsPlaceName(place.place)});
      continue;
    }
    scan.Log(messages::kLogPlaceGave,
             {WpsPlaceName(place.place), BoxText().AppendSystem(folders->version)});
    return WpsSearch{WpsLocation{std::move(*folders), place.place}};
  }
  return SearchDesktop(scan);
}

}  // namespace pelmora
