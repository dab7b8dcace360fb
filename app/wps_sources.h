// The places WPS is looked for after the machine-wide uninstall list, in
// their one order, shared by the embedding (which scans that list itself,
// with its boxes) and LocateWpsVersionFolder (which scans it silently).
#pragma once

#include <optional>

#include "app/uninstall_entries.h"
#include "app/workflow_run.h"
#include "app/wps_locator.h"
#include "runtime/text/values.h"

namespace pelmora {

// The version folder (no trailing backslash) of the list's last WPS entry,
// recognised as the machine-wide scan recognises it. Entries that are not
// WPS are passed over without a box. Nothing when no entry is WPS or the
// window was closed meanwhile.
std::optional<Text> WpsFromUninstallList(WorkflowRun& run, const UninstallList& list);

// The value InstallRoot of Software\Kingsoft\Office\6.0\Common under
// HKEY_CURRENT_USER, then HKEY_LOCAL_MACHINE, then (on 64-bit Windows)
// HKEY_LOCAL_MACHINE's 64-bit view: the first that names an existing
// folder, without a trailing backslash.
std::optional<Text> WpsFromInstallRoot();

// After the machine-wide list: the per-user list, the 64-bit machine-wide
// list (64-bit Windows only), InstallRoot, then the desktop shortcut, whose
// route shows its boxes when it finds nothing. Stops at the first place
// that gives the version folder; `place` tells which it was (the desktop
// shortcut also when nothing was found).
std::optional<Text> LocateWpsAfterMachineList(WorkflowRun& run, WpsPlace* place);

}  // namespace pelmora
