#include "app/runs.h"

#include <optional>

#include "app/embedding.h"
#include "app/finder.h"
#include "app/panel_status.h"
#include "app/removal.h"
#include "app/run_context.h"

namespace pelmora {
namespace {

RunOutcome RunFound(RunKind kind, RunContext& run, Findings found) {
  switch (kind) {
    case RunKind::kRemove:
      return RemovePanel(run, found);
    case RunKind::kCheck:
      return CheckPanel(run, found);
    case RunKind::kEmbed:
      break;
  }
  return EmbedPanel(run, std::move(found));
}

RunOutcome RunOverEveryWps(RunKind kind, RunContext& run, const EveryWps& every) {
  switch (kind) {
    case RunKind::kRemove:
      return RemoveFromEveryWps(run, every);
    case RunKind::kCheck:
      return CheckEveryWps(run, every);
    case RunKind::kEmbed:
      break;
  }
  return EmbedIntoEveryWps(run, every);
}

RunOutcome Find(RunKind kind, RunScope scope, RunContext& run) {
  if (scope == RunScope::kEveryAccount) {
    std::optional<EveryWps> every = FindEveryWps(run);
    return every ? RunOverEveryWps(kind, run, *every) : RunOutcome::kStopped;
  }
  std::optional<Findings> found = FindInstallations(run);
  return found ? RunFound(kind, run, std::move(*found)) : RunOutcome::kStopped;
}

}  // namespace

Runs::Runs(RunLog& log) : log_(log), machine_lock_(TakeMachineRunLock(&machine_busy_)) {}

RunOutcome Runs::Start(RunKind kind, WorkflowUi& ui, RunScope scope) {
  if (running_) return RunOutcome::kBusy;
  RunContext run(ui, log_);
  // Unattended runs wait for no one: they are told to come back later.
  if (machine_busy_ && !run.Attended()) {
    run.Log(messages::kLogAnotherRun);
    return RunOutcome::kBusy;
  }
  running_ = true;
  const RunOutcome outcome = Find(kind, scope, run);
  running_ = false;
  return outcome;
}

}  // namespace pelmora
