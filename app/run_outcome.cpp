#include "app/run_outcome.h"

namespace pelmora {

ExitCode ExitCodeOf(RunOutcome outcome, bool attended) {
  if (outcome == RunOutcome::kDone) return kExitDone;
  if (attended) return kExitNotDone;
  switch (outcome) {
    case RunOutcome::kNoMathType:
      return kExitNoMathType;
    case RunOutcome::kNoWps:
      return kExitNoWps;
    case RunOutcome::kFileFailed:
      return kExitFileFailed;
    case RunOutcome::kWpsRunning:
    case RunOutcome::kBusy:
      return kExitTryLater;
    case RunOutcome::kDone:
    case RunOutcome::kNotDone:
    case RunOutcome::kStopped:
      break;
  }
  return kExitNotDone;
}

}  // namespace pelmora
