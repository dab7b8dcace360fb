#include "app/placement.h"

#include <cstdint>

#include "app/panel_file_list.h"
#include "runtime/system/files.h"
#include "runtime/system/system_error.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

// The box a missing file of the pair gives; false when one is missing.
bool PairComplete(WorkflowRun& run, const MathTypePair& pair) {
  if (!FileExists(pair.template_file)) {
    run.Show(messages::kTemplateMissing);
    return false;
  }
  if (!FileExists(pair.add_in)) {
    run.Show(messages::kAddInMissing);
    return false;
  }
  return true;
}

}  // namespace

// WPS loads only an add-in of its own bitness; a wps.exe that cannot be
// examined keeps the 32-bit pair, which every WPS before 12.1 needs.
ProgramBitness PairBitnessForWps(const WpsFolders& wps) {
  Text wps_program = JoinTexts({wps.office6, "\\wps.exe"});
  if (BitnessOfProgram(wps_program) == ProgramBitness::k64Bit) return ProgramBitness::k64Bit;
  return ProgramBitness::k32Bit;
}

std::optional<MathTypePair> ChoosePairForWps(WorkflowRun& run, const Installations& found) {
  if (run.Stopped()) return std::nullopt;
  if (!found.math_type.folder) {
    // Copying from empty paths would announce success for nothing.
    if (!found.math_type.missing_shown) run.Show(messages::kMathTypeMissing);
    return std::nullopt;
  }
  // The scan has checked the 32-bit pair already, with its boxes.
  const ProgramBitness bitness = PairBitnessForWps(found.wps);
  MathTypePair pair = MathTypePairFor(*found.math_type.folder, bitness);
  if (bitness != ProgramBitness::k64Bit) return pair;
  if (!PairComplete(run, pair)) return std::nullopt;
  return pair;
}

bool PlaceComponents(WorkflowRun& run, const MathTypePair& pair, const WpsFolders& wps) {
  BoxText failures;
  for (const PanelFile& file : kPanelFiles) {
    if (run.Stopped()) return false;
    const Text& source = file.source == PanelSource::kTemplate ? pair.template_file : pair.add_in;
    const Text& folder = file.folder == PanelFolder::kStartup ? wps.startup : wps.office6;
    Text destination = JoinTexts({folder, "\\", PanelFileName(file.source)});
    std::uint32_t error = 0;
    if (!CopyFileTo(source, destination, &error)) {
      failures.AppendSystem(destination)
          .Append(BoxText::Fill(messages::kCopyFailedReason, DescribeSystemError(error)));
    }
  }
  if (run.Stopped()) return false;
  if (!failures.empty()) {
    run.Show(messages::kCopyFailedTitle, BoxText::Fill(messages::kCopyFailedText, failures));
    return false;
  }
  run.SetProgress(kProgressComponentsCopied);
  return true;
}

}  // namespace pelmora
