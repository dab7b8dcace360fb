// The four paths the stages share, and the copying of MathType's template
// and add-in into WPS's folders.
#pragma once

#include "app/workflow_run.h"
#include "runtime/values.h"

namespace pelmora {

struct WorkflowPaths {
  Text math_type_template;  // MathTypeTemplatePath
  Text math_type_add_in;    // MathTypeAddInPath
  Text wps_startup_folder;  // WpsStartupFolder, no trailing backslash
  Text wps_office6_folder;  // WpsOffice6Folder, no trailing backslash
};

// Program-wide: they keep their values between runs.
WorkflowPaths& Paths();

// Finds the last desktop shortcut with "wps" in its name and carries the
// run on from its target; C1 when there is none.
void SearchDesktopShortcut(WorkflowRun& run, TextView desktop_folder);
// Derives the WPS folders from the shortcut's target, then places.
void LocateWpsFromShortcut(WorkflowRun& run, TextView shortcut_path);
// Copies the template and the add-in, then goes on to the VBA step.
void PlaceComponents(WorkflowRun& run);

}  // namespace pelmora
