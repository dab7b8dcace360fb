// One run of the embedding workflow, as the start button triggers it.
#pragma once

#include "app/workflow_ui.h"

namespace pelmora {

// Finds MathType and WPS, chooses MathType's pair for WPS's bitness, waits
// until WPS is closed, places the files and runs the VBA step, on the
// calling (window) thread, against the given window. A call made while a
// run (this one, a removal or a check) is in progress returns at once.
void RunEmbeddingWorkflow(WorkflowUi& ui);

}  // namespace pelmora
