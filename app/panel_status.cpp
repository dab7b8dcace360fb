#include "app/panel_status.h"

#include <vector>

#include "app/box_lines.h"
#include "app/messages.h"
#include "app/wps_running.h"
#include "runtime/system/system_path.h"
#include "runtime/window/dialogs.h"

namespace pelmora {
namespace {

const char* StateName(PanelState state) {
  switch (state) {
    case PanelState::kEmbedded:
      return messages::kStatusEmbedded;
    case PanelState::kNotEmbedded:
      return messages::kStatusNotEmbedded;
    case PanelState::kNeedsEmbedding:
      return messages::kStatusEmbedAgain;
    case PanelState::kCannotCheck:
      break;
  }
  return messages::kStatusCannotCheck;
}

const char* CopyStateName(PanelCopy::State state) {
  switch (state) {
    case PanelCopy::State::kSame:
      return messages::kStatusFileSame;
    case PanelCopy::State::kDifferent:
      return messages::kStatusFileDifferent;
    case PanelCopy::State::kPresent:
      return messages::kStatusFilePresent;
    case PanelCopy::State::kMissing:
      break;
  }
  return messages::kStatusFileMissing;
}

BoxText WpsFolderText(const WpsStatus& wps) {
  return BoxText::Fill(messages::kStatusWpsFolder, {BoxText().AppendSystem(wps.version_folder),
                                                    WpsPlaceName(wps.place),
                                                    BitnessLabel(wps.pair_bitness)});
}

BoxText OtherCopiesText(const std::vector<OtherVersionCopies>& others) {
  if (others.empty()) return messages::kStatusNone;
  std::vector<Text> folders;
  for (const OtherVersionCopies& other : others) folders.push_back(Text::From(other.version_folder));
  return PathsOnePerLine(folders, LineBreaks::kBeforeEach);
}

// The lines after WPS's: whether it runs, the panel, each destination and
// the other version folders' copies; only the panel without WPS.
BoxText DetailLines(const PanelStatus& status) {
  BoxText lines;
  if (status.wps) {
    lines.Append(BoxText::Fill(messages::kStatusRunningLine,
                               status.wps->running ? messages::kStatusYes : messages::kStatusNo));
  }
  lines.Append(BoxText::Fill(messages::kStatusPanelLine, StateName(status.panel)));
  if (!status.wps) return lines;
  for (const PanelCopy& copy : status.wps->panel.copies) {
    lines.Append(BoxText::Fill(messages::kStatusFileLine,
                               {BoxText().AppendSystem(copy.path), CopyStateName(copy.state)}));
  }
  lines.Append(
      BoxText::Fill(messages::kStatusOtherCopiesLine, OtherCopiesText(status.wps->panel.other_versions)));
  return lines;
}

}  // namespace

PanelStatus LookAtPanel(const Findings& found) {
  PanelStatus status;
  std::optional<Text> math_type_folder = found.MathTypeFolder();
  if (math_type_folder) status.math_type_folder = WithoutTrailingBackslash(*math_type_folder);
  if (!found.wps) return status;

  const WpsFolders& folders = found.wps->folders;
  WpsStatus wps;
  wps.version_folder = Text::From(folders.version);
  wps.place = found.wps->place;
  wps.running = WpsProgramRuns(wps.version_folder);
  std::optional<PairForWps> chosen;
  if (math_type_folder) chosen = ChoosePairForWps(*math_type_folder, folders);
  wps.pair_bitness = chosen ? chosen->bitness : PairBitnessForWps(folders);
  const bool comparable = chosen && chosen->gap == PairGap::kNone;
  wps.panel = InspectPanel(folders, comparable ? &chosen->pair : nullptr);
  status.panel = wps.panel.State();
  status.wps = std::move(wps);
  return status;
}

RunOutcome CheckPanel(RunContext& run, const Findings& found) {
  const PanelStatus status = LookAtPanel(found);
  BoxText math_type = messages::kStatusNotFound;
  if (status.math_type_folder) math_type = BoxText().AppendSystem(*status.math_type_folder);
  const BoxText wps = status.wps ? WpsFolderText(*status.wps) : BoxText(messages::kStatusNotFound);
  const BoxText details = DetailLines(status);
  const bool embedded = status.panel == PanelState::kEmbedded;
  run.Log(messages::kStatus.text, {math_type, wps, details});
  run.Show(messages::kStatus, {math_type, wps, details},
           kBoxOk | (embedded ? kBoxIconInformation : kBoxIconWarning));
  return embedded ? RunOutcome::kDone : RunOutcome::kNotDone;
}

}  // namespace pelmora
