// Finding MathType 7 and WPS Office among the installed software.
#pragma once

#include "app/workflow_run.h"
#include "runtime/values.h"

namespace pelmora {

// Scans the machine-wide uninstall entries, then hands over to placement
// (straight away when an entry identified WPS, else via the desktop).
void ScanUninstallEntries(WorkflowRun& run);
void TakeMathTypeEntry(WorkflowRun& run, TextView entry_key_path);
void TakeWpsEntry(WorkflowRun& run, TextView entry_key_path);

}  // namespace pelmora
