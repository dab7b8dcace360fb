#include "app/run_outcome.h"

namespace pelmora {

namespace {

// Higher is worse.
int Severity(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kStopped:
      return 7;
    case RunOutcome::kFileFailed:
      return 6;
    case RunOutcome::kNoMathType:
      return 5;
    case RunOutcome::kWpsRunning:
      return 4;
    case RunOutcome::kBusy:
      return 3;
    case RunOutcome::kNoWps:
      return 2;
    case RunOutcome::kNotDone:
      return 1;
    case RunOutcome::kDone:
      break;
  }
  return 0;
}

}  // namespace

RunOutcome WorseOutcome(RunOutcome first, RunOutcome second) {
  return Severity(second) > Severity(first) ? second : first;
}

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
