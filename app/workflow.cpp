#include "app/workflow.h"

#include "app/discovery.h"
#include "app/workflow_ui.h"

namespace pelmora {

void RunEmbeddingWorkflow() { RunEmbeddingWorkflow(MainWindowUi()); }

void RunEmbeddingWorkflow(WorkflowUi& ui) {
  // The scan pumps window events, so a second click can arrive mid-run; it
  // must not start a run that shares the workflow paths with this one.
  static bool running = false;
  if (running) return;
  running = true;
  WorkflowRun run(ui);
  ScanUninstallEntries(run);
  running = false;
}

}  // namespace pelmora
