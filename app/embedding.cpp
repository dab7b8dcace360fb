#include "app/embedding.h"

#include <optional>

#include "app/box_lines.h"
#include "app/discovery.h"
#include "app/panel_inspection.h"
#include "app/placement.h"
#include "app/shared_boxes.h"
#include "app/vba_installer.h"
#include "app/wps_running.h"
#include "runtime/system/system_path.h"

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

// The embedding into one WPS, once MathType's folder is known; ends
// before the VBA step.
RunOutcome EmbedIntoWps(RunContext& run, TextView math_type_folder, const WpsFolders& wps) {
  const PairForWps chosen = ChoosePairForWps(math_type_folder, wps);
  LogPairChoice(run, chosen);
  if (!TellPairGap(run, chosen)) return RunOutcome::kNoMathType;
  // Unattended runs heal the panel after WPS updated itself, at every
  // start-up: where it is in place, nothing is written.
  if (!run.Attended() && InspectPanel(wps, &chosen.pair).State() == PanelState::kEmbedded) {
    run.Log(messages::kLogAlreadyEmbedded);
    return RunOutcome::kDone;
  }
  // A running WPS holds the add-in, and would only read new start-up files
  // after a restart anyway.
  if (!WaitUntilWpsClosed(run, wps.version)) return RunOutcome::kWpsRunning;
  if (!PlaceComponents(run, chosen.pair, wps)) return RunOutcome::kFileFailed;
  return RunOutcome::kDone;
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
  const RunOutcome outcome = EmbedIntoWps(run, *told->math_type_folder, told->wps);
  if (outcome != RunOutcome::kDone) return Ended(run, outcome);
  if (run.Attended()) {
    InstallVbaPrerequisite(run);
  } else {
    run.Log(messages::kLogVbaSkipped);
  }
  return RunOutcome::kDone;
}

RunOutcome EmbedIntoEveryWps(RunContext& run, const EveryWps& every) {
  const std::optional<Text> math_type_folder = every.MathTypeFolder();
  if (!math_type_folder) {
    run.Log(messages::kLogNoMathType);
    return RunOutcome::kNoMathType;
  }
  run.Log(messages::kLogMathTypeFolder,
          {BoxText().AppendSystem(WithoutTrailingBackslash(*math_type_folder))});
  if (every.wps.empty()) {
    run.Log(messages::kLogNoWps);
    return RunOutcome::kNoWps;
  }
  RunOutcome outcome = RunOutcome::kDone;
  for (const WpsLocation& wps : every.wps) {
    run.Log(messages::kLogWpsFolder,
            {BoxText().AppendSystem(wps.folders.version), PlaceNameOf(wps)});
    // One WPS that fails or runs does not keep the others from the panel.
    const RunOutcome this_wps = EmbedIntoWps(run, *math_type_folder, wps.folders);
    if (this_wps == RunOutcome::kWpsRunning) run.Log(messages::kLogWpsLeftRunning);
    outcome = WorseOutcome(outcome, this_wps);
  }
  run.Log(messages::kLogVbaSkipped);
  return outcome;
}

}  // namespace pelmora
