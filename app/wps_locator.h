// Where WPS is installed, found through every place the embedding looks,
// and whether one of its programs still runs from there. The embedding and
// the removal of the panel share these, so both see the same WPS.
#pragma once

#include <optional>

#include "app/workflow_run.h"
#include "runtime/values.h"

namespace pelmora {

// WPS's current version folder (the one that holds office6), without a
// trailing backslash. Looks where the embedding looks, in the same order,
// and stops at the first place that gives it. Entries that are not WPS
// are passed over without a box. When WPS is nowhere, shows the box the
// embedding shows for that case and returns nothing.
std::optional<Text> LocateWpsVersionFolder(WorkflowRun& run);

// Returns true once no WPS program that a user opens runs from inside the
// folder above `version_folder`; until then asks "WPS正在运行" with Retry
// and Cancel. False when the user cancelled or the window was closed.
bool WaitUntilWpsClosed(WorkflowRun& run, TextView version_folder);

}  // namespace pelmora
