#include "app/workflow.h"

namespace pelmora {

void RunEmbeddingWorkflow() {}
void ReleaseWorkflowPaths() {}

}  // namespace pelmora
