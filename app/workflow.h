// One run of the embedding workflow, as the start button triggers it.
#pragma once

namespace pelmora {

// Runs discovery, placement and the VBA step to their end on the calling
// (window) thread. A call made while a run is in progress returns at once.
void RunEmbeddingWorkflow();

// Releases the four workflow paths (the program's exit routine does this).
void ReleaseWorkflowPaths();

}  // namespace pelmora
