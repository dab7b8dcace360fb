// The paths the stages share, the desktop route to WPS's version folder,
// and the copying of MathType's template and add-in into WPS's folders.
#pragma once

#include <optional>

#include "app/workflow_run.h"
#include "runtime/values.h"

namespace pelmora {

struct WorkflowPaths {
  Text math_type_template;  // MathTypeTemplatePath (the 32-bit pair)
  Text math_type_add_in;    // MathTypeAddInPath (the 32-bit pair)
  Text wps_startup_folder;  // WpsStartupFolder, no trailing backslash
  Text wps_office6_folder;  // WpsOffice6Folder, no trailing backslash
  // MathType's folder, ending in a backslash: the 64-bit pair lies below.
  Text math_type_folder;
  // WPS's version folder, no trailing backslash: whether WPS still runs is
  // judged from the folder above it.
  Text wps_version_folder;
};

// Program-wide: they keep their values between runs.
WorkflowPaths& Paths();

// The last desktop shortcut with "wps" in its name, followed to WPS's
// version folder; the "no shortcut" box when there is none.
std::optional<Text> SearchDesktopShortcut(WorkflowRun& run, TextView desktop_folder);
// The version folder below the folder of the shortcut's target: the newest
// version among the subfolders that hold office6, else the last subfolder.
// "未找到WPS的安装目录" when the target cannot be read or has no subfolder.
std::optional<Text> LocateWpsFromShortcut(WorkflowRun& run, TextView shortcut_path);

// The WPS folders below a version folder (no trailing backslash).
void SetWpsFolders(TextView version_folder);
// The same, then the box the scan shows when the start-up folder is missing.
void TakeWpsVersionFolder(WorkflowRun& run, TextView version_folder);

// Chooses MathType's pair for WPS's bitness, waits until WPS is closed,
// copies the template and the add-in, then goes on to the VBA step.
void PlaceComponents(WorkflowRun& run);

}  // namespace pelmora
