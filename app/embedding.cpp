#include "app/embedding.h"

#include <optional>

#include "app/box_lines.h"
#include "app/discovery.h"
#include "app/panel_inspection.h"
#include "app/placement.h"
#include "app/shared_boxes.h"
#include "app/vba_installer.h"
#include "app/wps_running.h"

namespace pelmora {
namespace {

void LogPairChoice(RunContext& run, const PairForWps& chosen) {
  const bool is64 = chosen.bitness == ProgramBitness::k64Bit;
  run.Log(messages::kLogPair, {BitnessLabel(chosen.bitness),
                               is64 ? messages::kLogPairWhy64 : messages::kLogPairWhy32});
}

// The code of a stage that ended the run: none counts once the window is
// gone.
RunOutcome Ended(RunContext& run, RunOutcome outcome) {
  return run.Stopped() ? RunOutcome::kStopped : outcome;
}

}  // namespace

RunOutcome EmbedPanel(RunContext& run, Findings found) {
  std::optional<Installations> told = TellInstallations(run, std::move(found));
  if (!told) return Ended(run, RunOutcome::kNoWps);
  if (!told->math_type_folder) {
    // Copying from empty paths would announce success for nothing.
    if (!told->math_type_missing_shown) run.Show(messages::kMathTypeMissing);
    return Ended(run, RunOutcome::kNoMathType);
  }
  const PairForWps chosen = ChoosePairForWps(*told->math_type_folder, told->wps);
  LogPairChoice(run, chosen);
  if (!TellPairGap(run, chosen)) return Ended(run, RunOutcome::kNoMathType);
  // Unattended runs heal the panel after WPS updated itself, at every
  // start-up: where it is in place, nothing is written.
  if (!run.Attended() &&
      InspectPanel(told->wps, &chosen.pair).State() == PanelState::kEmbedded) {
    run.Log(messages::kLogAlreadyEmbedded);
    return RunOutcome::kDone;
  }
  // A running WPS holds the add-in, and would only read new start-up files
  // after a restart anyway.
  if (!WaitUntilWpsClosed(run, told->wps.version)) return Ended(run, RunOutcome::kWpsRunning);
  if (!PlaceComponents(run, chosen.pair, told->wps)) return Ended(run, RunOutcome::kFileFailed);
  if (run.Attended()) {
    InstallVbaPrerequisite(run);
  } else {
    run.Log(messages::kLogVbaSkipped);
  }
  return RunOutcome::kDone;
}

}  // namespace pelmora
