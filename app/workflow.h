// One run of the embedding workflow, as the start button triggers it.
#pragma once

namespace pelmora {

// Runs discovery, placement and the VBA step to their end on the calling
// (window) thread. A call made while a run (this one or a removal of the
// panel) is in progress returns at once.
void RunEmbeddingWorkflow();

class WorkflowUi;
// The same, against a given window (the tests script one).
void RunEmbeddingWorkflow(WorkflowUi& ui);

// Releases the four workflow paths (the program's exit routine does this).
void ReleaseWorkflowPaths();

}  // namespace pelmora
