// The places WPS is looked for once the machine-wide uninstall list named
// none, in their one order: the user's list, the machine-wide list's
// 64-bit view, WPS's own InstallRoot, then the desktop shortcut. They show
// no box: callers tell the user from what they return.
#pragma once

#include <optional>

#include "app/panel_model.h"
#include "app/run_context.h"
#include "app/uninstall_entries.h"
#include "runtime/text/values.h"

namespace pelmora {

// The places that can name WPS's version folder, in the order they are
// looked at.
enum class WpsPlace {
  kMachineList,    // the machine-wide uninstall list
  kUserList,       // the current user's uninstall list
  kMachine64List,  // the machine-wide list's 64-bit view (64-bit Windows)
  kInstallRoot,    // WPS's own InstallRoot value
  kDesktopShortcut,
};

struct WpsLocation {
  WpsFolders folders;
  WpsPlace place;
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

// Stops at the first place that names the version folder; logs what each
// place gave. Nothing when the window was closed meanwhile.
[[nodiscard]] std::optional<WpsSearch> LocateWpsAfterMachineList(ScanContext& scan);

}  // namespace pelmora
