#include "app/run_outcome.h"

namespace pelmora {

namespace {

// Worst first: a run over several WPS reports the first of these that
// any WPS ended with.
constexpr RunOutcome kWorstFirst[] = {
    RunOutcome::kStopped, RunOutcome::kFileFailed, RunOutcome::kNoMathType, RunOutcome::kWpsRunning,
    RunOutcome::kBusy,    RunOutcome::kNoWps,      RunOutcome::kNotDone,    RunOutcome::kDone,
};

}  // namespace

RunOutcome WorseOutcome(RunOutcome first, RunOutcome second) {
  for (RunOutcome outcome : kWorstFirst) {
    if (outcome == first || outcome == second) return outcome;
  }
  return first;
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
