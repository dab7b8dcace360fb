// One run of the embedding workflow, as the start button or /quiet
// triggers it.
#pragma once

#include "app/exit_codes.h"
#include "app/workflow_ui.h"

namespace pelmora {

// Finds MathType and WPS, chooses MathType's pair for WPS's bitness, waits
// until WPS is closed, places the files and runs the VBA step, on the
// calling (window) thread, against the given window. A call made while a
// run (this one, a removal or a check) is in progress returns at once.
// Unattended, a panel already in place is left alone, WPS is not waited
// for and the VBA step, which needs a person, is left out. Returns the exit
// code the run's end stands for.
ExitCode RunEmbeddingWorkflow(WorkflowUi& ui);

}  // namespace pelmora
