#include "app/workflow.h"

namespace pelmora {

void RunEmbeddingWorkflow() {}

}  // namespace pelmora
