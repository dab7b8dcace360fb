// The last stage: writing out the carried VBA installer, starting it and
// asking whether the installation went well.
#pragma once

#include "app/workflow_run.h"

namespace pelmora {

void InstallVbaPrerequisite(WorkflowRun& run);

}  // namespace pelmora
