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
                                                    wps.place, BitnessLabel(wps.pair_bitness)});
}

BoxText OtherCopiesText(const std::vector<OtherVersionCopies>& others) {
  if (others.empty()) return messages::kStatusNone;
  std::vector<Text> folders;
  for (const OtherVersionCopies& other : others) folders.push_back(Text::From(other.version_folder));
  return PathsOnePerLine(folders, LineBreaks::kBeforeEach);
}

// WPS's lines: its folder, whether it runs, the panel, each destination
// and the other version folders' copies; without WPS, only the panel.
BoxText WpsLines(const WpsStatus* wps, PanelState panel) {
  BoxText lines = BoxText::Fill(messages::kStatusWpsLine,
                                wps ? WpsFolderText(*wps) : BoxText(messages::kStatusNotFound));
  if (wps) {
    lines.Append(BoxText::Fill(messages::kStatusRunningLine,
                               wps->running ? messages::kStatusYes : messages::kStatusNo));
  }
  lines.Append(BoxText::Fill(messages::kStatusPanelLine, StateName(panel)));
  if (!wps) return lines;
  for (const PanelCopy& copy : wps->panel.copies) {
    lines.Append(BoxText::Fill(messages::kStatusFileLine,
                               {BoxText().AppendSystem(copy.path), CopyStateName(copy.state)}));
  }
  lines.Append(
      BoxText::Fill(messages::kStatusOtherCopiesLine, OtherCopiesText(wps->panel.other_versions)));
  return lines;
}

// One WPS against MathType's pair for its bitness; `math_type_folder` ends
// in a backslash, as the finder gives it.
WpsStatus LookAtWps(const std::optional<Text>& math_type_folder, const WpsLocation& location) {
  const WpsFolders& folders = location.folders;
  WpsStatus wps;
  wps.version_folder = Text::From(folders.version);
  wps.place = PlaceNameOf(location);
  wps.running = WpsProgramRuns(wps.version_folder);
  std::optional<PairForWps> chosen;
  if (math_type_folder) chosen = ChoosePairForWps(*math_type_folder, folders);
  wps.pair_bitness = chosen ? chosen->bitness : PairBitnessForWps(folders);
  const bool comparable = chosen && chosen->gap == PairGap::kNone;
  wps.panel = InspectPanel(folders, comparable ? &chosen->pair : nullptr);
  return wps;
}

BoxText MathTypeText(const std::optional<Text>& math_type_folder) {
  if (!math_type_folder) return messages::kStatusNotFound;
  return BoxText().AppendSystem(WithoutTrailingBackslash(*math_type_folder));
}

RunOutcome ShowReport(RunContext& run, const BoxText& math_type, const BoxText& wps_lines,
                      bool embedded) {
  run.Log(messages::kStatus.text, {math_type, wps_lines});
  run.Show(messages::kStatus, {math_type, wps_lines},
           kBoxOk | (embedded ? kBoxIconInformation : kBoxIconWarning));
  return embedded ? RunOutcome::kDone : RunOutcome::kNotDone;
}

}  // namespace

PanelStatus LookAtPanel(const Findings& found) {
  PanelStatus status;
  if (!found.wps) return status;
  status.wps = LookAtWps(found.MathTypeFolder(), *found.wps);
  status.panel = status.wps->panel.State();
  return status;
}

RunOutcome CheckPanel(RunContext& run, const Findings& found) {
  const PanelStatus status = LookAtPanel(found);
  const BoxText math_type = MathTypeText(found.MathTypeFolder());
  const WpsStatus* wps = status.wps ? &*status.wps : nullptr;
  return ShowReport(run, math_type, WpsLines(wps, status.panel),
                    status.panel == PanelState::kEmbedded);
}

RunOutcome CheckEveryWps(RunContext& run, const EveryWps& every) {
  const std::optional<Text> math_type_folder = every.MathTypeFolder();
  if (every.wps.empty()) {
    return ShowReport(run, MathTypeText(math_type_folder),
                      WpsLines(nullptr, PanelState::kCannotCheck), false);
  }
  BoxText wps_lines;
  bool all_embedded = true;
  for (const WpsLocation& location : every.wps) {
    const WpsStatus wps = LookAtWps(math_type_folder, location);
    const PanelState state = wps.panel.State();
    all_embedded = all_embedded && state == PanelState::kEmbedded;
    wps_lines.Append(WpsLines(&wps, state));
  }
  return ShowReport(run, MathTypeText(math_type_folder), wps_lines, all_embedded);
}

}  // namespace pelmora
