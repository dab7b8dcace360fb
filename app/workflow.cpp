#include "app/workflow.h"

#include <optional>

#include "app/discovery.h"
#include "app/exclusive_run.h"
#include "app/panel_files.h"
#include "app/placement.h"
#include "app/vba_installer.h"
#include "app/workflow_run.h"
#include "app/wps_running.h"

namespace pelmora {

// Every stage that ends the run has shown its box (or the window was
// closed) before it returns nothing; the code says which stage it was.
ExitCode RunEmbeddingWorkflow(WorkflowUi& ui) {
  ExclusiveRun exclusive;
  if (!exclusive) return kExitTryLater;
  WorkflowRun run(ui);
  auto ended = [&run](ExitCode code) { return run.Stopped() ? kExitDone : code; };

  std::optional<Installations> found = FindMathTypeAndWps(run);
  if (!found) return ended(kExitNoWps);
  std::optional<MathTypePair> pair = ChoosePairForWps(run, *found);
  if (!pair) return ended(kExitNoMathType);
  // Unattended runs heal the panel after WPS updated itself, at every
  // start-up: where it is in place, nothing is written.
  if (!run.Attended() && PanelInPlace(*pair, found->wps)) {
    run.Log(messages::kLogAlreadyEmbedded);
    return kExitDone;
  }
  // A running WPS holds the add-in, and would only read new start-up files
  // after a restart anyway.
  if (!WaitUntilWpsClosed(run, found->wps.version)) return ended(kExitTryLater);
  if (!PlaceComponents(run, *pair, found->wps)) return ended(kExitFileFailed);
  if (run.Attended()) {
    InstallVbaPrerequisite(run);
  } else {
    run.Log(messages::kLogVbaSkipped);
  }
  return kExitDone;
}

}  // namespace pelmora
