#include "app/workflow.h"

#include <optional>

#include "app/discovery.h"
#include "app/exclusive_run.h"
#include "app/placement.h"
#include "app/vba_installer.h"
#include "app/workflow_run.h"
#include "app/wps_running.h"

namespace pelmora {

// Every stage that ends the run has shown its box (or the window was
// closed) before it returns nothing.
void RunEmbeddingWorkflow(WorkflowUi& ui) {
  ExclusiveRun exclusive;
  if (!exclusive) return;
  WorkflowRun run(ui);

  std::optional<Installations> found = FindMathTypeAndWps(run);
  if (!found) return;
  std::optional<MathTypePair> pair = ChoosePairForWps(run, *found);
  if (!pair) return;
  // A running WPS holds the add-in, and would only read new start-up files
  // after a restart anyway.
  if (!WaitUntilWpsClosed(run, found->wps.version)) return;
  if (!PlaceComponents(run, *pair, found->wps)) return;
  InstallVbaPrerequisite(run);
}

}  // namespace pelmora
