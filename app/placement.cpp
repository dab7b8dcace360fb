#include "app/placement.h"

#include <cstdint>
#include <optional>
#include <string>

#include "app/panel_transaction.h"
#include "runtime/system/files.h"
#include "runtime/system/system_error.h"

namespace pelmora {
namespace {

BoxText ReasonOf(const PlacementFailure& failure) {
  return failure.mismatch ? BoxText(messages::kCopyMismatch)
                          : BoxText(DescribeSystemError(failure.error));
}

// Each path with its reason, as the failure boxes list them.
BoxText FailureList(const std::vector<PlacementFailure>& failures) {
  BoxText list;
  for (const PlacementFailure& failure : failures) {
    list.AppendSystem(failure.path).Append(BoxText::Fill(messages::kFailedReason, ReasonOf(failure)));
  }
  return list;
}

void LogPlacement(WorkflowRun& run, const MathTypePair& pair, const WpsFolders& wps,
                  const PlacementOutcome& outcome) {
  for (const PlacementFailure& failure : outcome.not_placed) {
    run.Log(messages::kLogNotPlaced, {BoxText().AppendSystem(failure.path), ReasonOf(failure)});
  }
  for (const PlacementFailure& failure : outcome.not_restored) {
    run.Log(messages::kLogNotRestored, {BoxText().AppendSystem(failure.path), ReasonOf(failure)});
  }
  if (!outcome.placed()) return;
  for (const PanelFile& file : kPanelFiles) {
    const std::optional<std::uint64_t> size = FileSize(SourceOf(pair, file));
    run.Log(messages::kLogPlaced, {BoxText().AppendSystem(DestinationOf(wps, file)),
                                   std::to_string(size.value_or(0)).c_str()});
  }
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
  const bool is64 = bitness == ProgramBitness::k64Bit;
  run.Log(messages::kLogPair, {is64 ? messages::kStatus64Bit : messages::kStatus32Bit,
                               is64 ? messages::kLogPairWhy64 : messages::kLogPairWhy32});
  MathTypePair pair = MathTypePairFor(*found.math_type_folder, bitness);
  if (bitness != ProgramBitness::k64Bit) return pair;
  if (!TellPairGap(run, pair)) return std::nullopt;
  return pair;
}

bool PlaceComponents(WorkflowRun& run, const MathTypePair& pair, const WpsFolders& wps) {
  if (run.Stopped()) return false;
  const PlacementOutcome outcome = PlacePanelTogether(pair, wps);
  LogPlacement(run, pair, wps, outcome);
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
