#include "app/placement.h"

#include <cstdint>

#include "app/panel_transaction.h"
#include "runtime/system/files.h"
#include "runtime/system/system_error.h"

namespace pelmora {
namespace {

// Each path with its reason, as the failure boxes list them.
BoxText FailureList(const std::vector<PlacementFailure>& failures) {
  BoxText list;
  for (const PlacementFailure& failure : failures) {
    BoxText reason = failure.mismatch ? BoxText(messages::kCopyMismatch)
                                      : BoxText(DescribeSystemError(failure.error));
    list.AppendSystem(failure.path).Append(BoxText::Fill(messages::kFailedReason, reason));
  }
  return list;
}

}  // namespace

// WPS loads only an add-in of its own bitness; a wps.exe that cannot be
// examined keeps the 32-bit pair, which every WPS before 12.1 needs.
ProgramBitness PairBitnessForWps(const WpsFolders& wps) {
  if (BitnessOfProgram(WpsProgramPath(wps)) == ProgramBitness::k64Bit) {
    return ProgramBitness::k64Bit;
  }
  return ProgramBitness::k32Bit;
}

std::optional<MathTypePair> ChoosePairForWps(WorkflowRun& run, const Installations& found) {
  if (run.Stopped()) return std::nullopt;
  if (!found.math_type_folder) {
    // Copying from empty paths would announce success for nothing.
    if (!found.math_type_missing_shown) run.Show(messages::kMathTypeMissing);
    return std::nullopt;
  }
  // The scan has told about the 32-bit pair already.
  const ProgramBitness bitness = PairBitnessForWps(found.wps);
  MathTypePair pair = MathTypePairFor(*found.math_type_folder, bitness);
  if (bitness != ProgramBitness::k64Bit) return pair;
  if (!TellPairGap(run, pair)) return std::nullopt;
  return pair;
}

bool PlaceComponents(WorkflowRun& run, const MathTypePair& pair, const WpsFolders& wps) {
  if (run.Stopped()) return false;
  const PlacementOutcome outcome = PlacePanelTogether(pair, wps);
  if (!outcome.placed()) {
    if (outcome.not_restored.empty()) {
      run.Show(messages::kCopyFailed, {FailureList(outcome.not_placed)});
    } else {
      run.Show(messages::kCopyFailedNotRestored,
               {FailureList(outcome.not_placed), FailureList(outcome.not_restored)});
    }
    return false;
  }
  if (run.Stopped()) return false;
  run.SetProgress(kProgressComponentsCopied);
  return true;
}

}  // namespace pelmora
