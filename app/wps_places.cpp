#include "app/wps_places.h"

#include <functional>
#include <vector>

#include "app/version_names.h"
#include "runtime/system/bitness.h"
#include "runtime/system/files.h"
#include "runtime/system/registry.h"
#include "runtime/system/system_path.h"
#include "runtime/system/user_desktop.h"
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

std::optional<Text> InstallRootIn(RegistryView view, std::int32_t root_number,
                                  TextView value_path) {
  Text folder = WithoutTrailingBackslash(ReadRegistryTextIn(view, root_number, value_path));
  // A value left behind by an uninstalled WPS names a folder that is gone.
  if (folder.empty() || !PathExists(folder)) return std::nullopt;
  return folder;
}

std::optional<WpsFolders> FoldersOf(const std::optional<Text>& version_folder) {
  if (!version_folder) return std::nullopt;
  return WpsFoldersOf(*version_folder);
}

// HKEY_CURRENT_USER first, then HKEY_LOCAL_MACHINE, then (64-bit Windows
// only) its 64-bit view.
std::optional<WpsFolders> WpsFromInstallRoot() {
  std::optional<Text> folder =
      InstallRootIn(RegistryView::kOwn, kRootCurrentUser, kInstallRootValue);
  if (!folder) folder = InstallRootIn(RegistryView::kOwn, kRootLocalMachine, kInstallRootValue);
  if (!folder && WindowsIs64Bit()) {
    folder = InstallRootIn(RegistryView::k64Bit, kRootLocalMachine, kInstallRootValue);
  }
  return FoldersOf(folder);
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

// The last shortcut with "wps" in its name in the desktop folder (ending
// in a backslash); empty when there is none.
Text LastWpsShortcut(TextView desktop_folder) {
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

WpsSearch SearchDesktop(ScanContext& scan, TextView desktop_folder, TextView account) {
  const BoxText place = AccountPlaceName(WpsPlace::kDesktopShortcut, account);
  Text shortcut = desktop_folder.empty() ? Text() : LastWpsShortcut(desktop_folder);
  if (shortcut.empty()) {
    scan.Log(messages::kLogNoShortcut, {place});
    return {std::nullopt, WpsAbsence::kNoShortcut};
  }
  std::optional<Text> version_folder = VersionFolderFromShortcut(shortcut);
  if (!version_folder) {
    scan.Log(messages::kLogNoVersionFolder, {place});
    return {std::nullopt, WpsAbsence::kNoVersionFolder};
  }
  scan.Log(messages::kLogPlaceGave, {place, BoxText().AppendSystem(*version_folder)});
  return {
      WpsLocation{WpsFoldersOf(*version_folder), WpsPlace::kDesktopShortcut, Text::From(account)}};
}

// A place that may name WPS's version folder, and how it is read.
struct RegistryPlace {
  WpsPlace place;
  std::function<std::optional<WpsFolders>(ScanContext&)> find;
};

// Logs what each place gave; false when the window was closed meanwhile.
// With `first_only` the places stop at the first that names a folder.
bool LookInPlaces(ScanContext& scan, const std::vector<RegistryPlace>& places, TextView account,
                  bool first_only, std::vector<WpsLocation>* found) {
  for (const RegistryPlace& place : places) {
    std::optional<WpsFolders> folders = place.find(scan);
    if (scan.Stopped()) return false;
    const BoxText name = AccountPlaceName(place.place, account);
    if (!folders) {
      scan.Log(messages::kLogPlaceEmpty, {name});
      continue;
    }
    scan.Log(messages::kLogPlaceGave, {name, BoxText().AppendSystem(folders->version)});
    found->push_back(WpsLocation{std::move(*folders), place.place, Text::From(account)});
    if (first_only) return true;
  }
  return true;
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
    case WpsPlace::kInstallRoot64:
      return messages::kStatusPlaceInstallRoot64;
    case WpsPlace::kDesktopShortcut:
      break;
  }
  return messages::kStatusPlaceShortcut;
}

BoxText AccountPlaceName(WpsPlace place, TextView account) {
  if (account.empty()) return WpsPlaceName(place);
  // Another account's list is that user's own, not the current user's.
  const char* own =
      place == WpsPlace::kUserList ? messages::kStatusPlaceAccountList : WpsPlaceName(place);
  return BoxText::Fill(messages::kStatusAccountPlace, {BoxText().AppendSystem(account), own});
}

std::optional<WpsSearch> LocateWpsAfterMachineList(ScanContext& scan) {
  // Personal editions install per user; on 32-bit Windows the 64-bit view
  // is the machine-wide list again.
  std::vector<RegistryPlace> places = {{WpsPlace::kUserList, [](ScanContext& s) {
                                          return WpsFromUninstallList(s, kUserUninstallList);
                                        }}};
  if (WindowsIs64Bit()) {
    places.push_back({WpsPlace::kMachine64List, [](ScanContext& s) {
                        return WpsFromUninstallList(s, kMachine64UninstallList);
                      }});
  }
  places.push_back({WpsPlace::kInstallRoot, [](ScanContext&) { return WpsFromInstallRoot(); }});
  std::vector<WpsLocation> found;
  if (!LookInPlaces(scan, places, "", true, &found)) return std::nullopt;
  if (!found.empty()) return WpsSearch{std::move(found.front())};
  return SearchDesktop(scan, GetSpecialFolder(kFolderDesktop), "");
}

bool LocateMachineWps(ScanContext& scan, std::vector<WpsLocation>* found) {
  std::vector<RegistryPlace> places;
  if (WindowsIs64Bit()) {
    places.push_back({WpsPlace::kMachine64List, [](ScanContext& s) {
                        return WpsFromUninstallList(s, kMachine64UninstallList);
                      }});
  }
  places.push_back({WpsPlace::kInstallRoot, [](ScanContext&) {
                      return FoldersOf(
                          InstallRootIn(RegistryView::kOwn, kRootLocalMachine, kInstallRootValue));
                    }});
  if (WindowsIs64Bit()) {
    places.push_back({WpsPlace::kInstallRoot64, [](ScanContext&) {
                        return FoldersOf(InstallRootIn(RegistryView::k64Bit, kRootLocalMachine,
                                                       kInstallRootValue));
                      }});
  }
  return LookInPlaces(scan, places, "", false, found);
}

bool LocateAccountWps(ScanContext& scan, const UserProfile& profile, const UserHive& hive,
                      TextView account, std::optional<WpsLocation>* found) {
  // The account's keys are the same in both views.
  const Text key_above = hive.PathOf("");
  const UninstallList list = {UserHive::kRoot, RegistryView::kOwn, key_above.c_str()};
  const Text install_root = hive.PathOf(kInstallRootValue);
  const std::vector<RegistryPlace> places = {
      {WpsPlace::kUserList, [&](ScanContext& s) { return WpsFromUninstallList(s, list); }},
      {WpsPlace::kInstallRoot,
       [&](ScanContext&) {
         return FoldersOf(InstallRootIn(RegistryView::kOwn, UserHive::kRoot, install_root));
       }},
  };
  std::vector<WpsLocation> named;
  if (!LookInPlaces(scan, places, account, true, &named)) return false;
  if (!named.empty()) {
    *found = std::move(named.front());
    return true;
  }
  *found = SearchDesktop(scan, UserDesktopFolder(profile, hive), account).found;
  return true;
}

}  // namespace pelmora
