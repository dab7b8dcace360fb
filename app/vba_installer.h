// The last stage: writing out the carried VBA installer, starting it and
// asking whether the installation went well.
#pragma once

#include "app/run_context.h"

namespace pelmora {

void InstallVbaPrerequisite(RunContext& run);

}  // namespace pelmora
