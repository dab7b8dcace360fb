#include "app/placement.h"

#include <cstdint>

#include "runtime/system/files.h"
#include "runtime/system/system_error.h"

namespace pelmora {

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
  BoxText failures;
  for (const PanelFile& file : kPanelFiles) {
    if (run.Stopped()) return false;
    Text destination = DestinationOf(wps, file);
    std::uint32_t error = 0;
    if (!CopyFileTo(SourceOf(pair, file), destination, &error)) {
      failures.AppendSystem(destination)
          .Append(BoxText::Fill(messages::kFailedReason, DescribeSystemError(error)));
    }
  }
  if (run.Stopped()) return false;
  if (!failures.empty()) {
    run.Show(messages::kCopyFailed, {failures});
    return false;
  }
  run.SetProgress(kProgressComponentsCopied);
  return true;
}

}  // namespace pelmora
