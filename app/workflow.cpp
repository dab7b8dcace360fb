#include "app/workflow.h"

#include "app/discovery.h"
#include "app/exclusive_run.h"
#include "app/workflow_ui.h"

namespace pelmora {

void RunEmbeddingWorkflow() { RunEmbeddingWorkflow(MainWindowUi()); }

void RunEmbeddingWorkflow(WorkflowUi& ui) {
  ExclusiveRun exclusive;
  if (!exclusive) return;
  WorkflowRun run(ui);
  ScanUninstallEntries(run);
}

}  // namespace pelmora
