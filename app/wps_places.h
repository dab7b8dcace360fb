// The places WPS is looked for once the machine-wide uninstall list named
// none, in their one order: the user's list, the machine-wide list's
// 64-bit view, WPS's own InstallRoot, then the desktop shortcut; and, for a
// run over every account, the machine's own places and each account's.
// They show no box: callers tell the user from what they return.
#pragma once

#include <optional>
#include <vector>

#include "app/panel_model.h"
#include "app/run_context.h"
#include "app/uninstall_entries.h"
#include "runtime/system/user_hive.h"
#include "runtime/system/user_profiles.h"
#include "runtime/text/box_text.h"
#include "runtime/text/values.h"

namespace pelmora {

// The places that can name WPS's version folder, in the order they are
// looked at.
enum class WpsPlace {
  kMachineList,    // the machine-wide uninstall list
  kUserList,       // the current user's uninstall list
  kMachine64List,  // the machine-wide list's 64-bit view (64-bit Windows)
  kInstallRoot,    // WPS's own InstallRoot value
  // Its 64-bit view below HKEY_LOCAL_MACHINE, where a run over every
  // account reads it as a place of its own.
  kInstallRoot64,
  kDesktopShortcut,
};

struct WpsLocation {
  WpsFolders folders;
  WpsPlace place;
  // The name of the profile folder of the account whose place it is, in a
  // run over every account; empty for the machine's own places and in a
  // run that looks at this account alone.
  Text account;
};

// Why WPS was found nowhere: the desktop route is the last place, and its
// two ways of failing get different advice.
enum class WpsAbsence {
  kNoShortcut,       // no desktop shortcut with "wps" in its name
  kNoVersionFolder,  // the shortcut leads to no version folder
};

struct WpsSearch {
  std::optional<WpsLocation> found;
  WpsAbsence absence = WpsAbsence::kNoShortcut;  // when nothing was found
};

// The place's name, as the status report and the log give it.
[[nodiscard]] const char* WpsPlaceName(WpsPlace place);
// The same for a place of another account: "alice的安装列表".
[[nodiscard]] BoxText AccountPlaceName(WpsPlace place, TextView account);
[[nodiscard]] inline BoxText PlaceNameOf(const WpsLocation& location) {
  return AccountPlaceName(location.place, location.account);
}

// Stops at the first place that names the version folder; logs what each
// place gave. Nothing when the window was closed meanwhile.
[[nodiscard]] std::optional<WpsSearch> LocateWpsAfterMachineList(ScanContext& scan);

// The machine's own places after its uninstall list, each logged: the
// list's 64-bit view (64-bit Windows), then InstallRoot below
// HKEY_LOCAL_MACHINE in this program's view and then the 64-bit one. Each
// that names a version folder adds it. False when the window was closed
// meanwhile.
bool LocateMachineWps(ScanContext& scan, std::vector<WpsLocation>* found);

// One account's own WPS, read through its hive as the per-user route
// reads this account's: its uninstall list, its InstallRoot, then the last
// WPS shortcut on its desktop; the first that names a version folder wins.
// `account` names its places. False when the window was closed meanwhile.
bool LocateAccountWps(ScanContext& scan, const UserProfile& profile, const UserHive& hive,
                      TextView account, std::optional<WpsLocation>* found);

}  // namespace pelmora
