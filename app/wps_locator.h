// Where WPS is installed, found through every place the embedding looks,
// and whether one of its programs still runs from there. The embedding and
// the removal of the panel share these, so both see the same WPS.
#pragma once

#include <optional>

#include "app/workflow_run.h"
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

// WPS's current version folder (the one that holds office6), without a
// trailing backslash. Looks where the embedding looks, in the same order:
// the machine-wide uninstall entries, the user's, the 64-bit ones (64-bit
// Windows only), InstallRoot, then the desktop shortcut's newest version
// folder; stops at the first place that gives it. Entries that are not WPS
// are passed over without a box, and the progress bar is left alone. When
// WPS is nowhere, shows the box the embedding shows for that case
// ("在桌面未寻找到WPS", or "未找到WPS的安装目录" for a shortcut without a
// version folder) and returns nothing; also nothing, without a box, when
// the window is closed meanwhile. `place`, when given, receives the place
// that named the folder.
std::optional<Text> LocateWpsVersionFolder(WorkflowRun& run, WpsPlace* place = nullptr);

// Returns true once no WPS program that a user opens (wps.exe,
// wpsoffice.exe, et.exe, wpp.exe) runs from inside the folder above
// `version_folder`; until then asks "WPS正在运行" with Retry and Cancel.
// False when the user cancelled (or closed the box) or the window was
// closed: then nothing may be changed in WPS's folders.
bool WaitUntilWpsClosed(WorkflowRun& run, TextView version_folder);

// Whether one of those programs runs from there now; never waits or asks.
[[nodiscard]] bool WpsProgramRuns(TextView version_folder);

}  // namespace pelmora
