#include "app/panel_status.h"

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "app/exclusive_run.h"
#include "app/finder.h"
#include "app/messages.h"
#include "app/panel_files.h"
#include "app/placement.h"
#include "app/workflow_run.h"
#include "app/wps_running.h"
#include "runtime/system/files.h"
#include "runtime/system/system_path.h"
#include "runtime/text/text.h"
#include "runtime/window/dialogs.h"

namespace pelmora {
namespace {

// Each destination against its source in the pair, or only whether it is
// there when there is no pair to compare with.
void CompareCopies(const WpsFolders& folders, const MathTypePair* pair, WpsStatus* wps) {
  for (std::size_t i = 0; i < std::size(kPanelFiles); ++i) {
    const PanelFile& file = kPanelFiles[i];
    PanelCopy& copy = wps->copies[i];
    std::optional<Text> placed = PlacedPanelFile(folders.version, file);
    if (!placed) {
      copy.path = DestinationOf(folders, file);
      copy.state = PanelCopy::State::kMissing;
      continue;
    }
    copy.path = std::move(*placed);
    if (pair == nullptr) {
      copy.state = PanelCopy::State::kPresent;
      continue;
    }
    copy.state = SameFileContent(SourceOf(*pair, file), copy.path) ? PanelCopy::State::kSame
                                                                   : PanelCopy::State::kDifferent;
  }
}

PanelState StateOfCopies(const WpsStatus& wps) {
  bool all_same = true;
  bool none_there = true;
  for (const PanelCopy& copy : wps.copies) {
    if (copy.state != PanelCopy::State::kSame) all_same = false;
    if (copy.state != PanelCopy::State::kMissing) none_there = false;
  }
  if (all_same) return PanelState::kEmbedded;
  if (none_there) return PanelState::kNotEmbedded;
  return PanelState::kNeedsEmbedding;
}

std::vector<Text> FoldersWithCopies(TextView version_folder) {
  std::vector<Text> folders;
  for (Text& folder : OtherVersionFolders(version_folder)) {
    for (const PanelFile& file : kPanelFiles) {
      if (PlacedPanelFile(folder, file)) {
        folders.push_back(std::move(folder));
        break;
      }
    }
  }
  return folders;
}

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
  const char* bits =
      wps.pair_bitness == ProgramBitness::k64Bit ? messages::kStatus64Bit : messages::kStatus32Bit;
  return BoxText::Fill(messages::kStatusWpsFolder,
                       {BoxText().AppendSystem(wps.version_folder), WpsPlaceName(wps.place), bits});
}

BoxText OtherCopiesText(const std::vector<Text>& folders) {
  if (folders.empty()) return messages::kStatusNone;
  BoxText list;
  for (const Text& folder : folders) list.AppendGbk("\r\n").AppendSystem(folder);
  return list;
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
  for (const PanelCopy& copy : status.wps->copies) {
    lines.Append(BoxText::Fill(messages::kStatusFileLine,
                               {BoxText().AppendSystem(copy.path), CopyStateName(copy.state)}));
  }
  lines.Append(
      BoxText::Fill(messages::kStatusOtherCopiesLine, OtherCopiesText(status.wps->folders_with_copies)));
  return lines;
}

}  // namespace

std::optional<PanelStatus> LookAtPanel(WorkflowUi& window) {
  WorkflowRun run(window);
  std::optional<Findings> found = FindInstallations(run);
  if (!found) return std::nullopt;
  PanelStatus status;
  std::optional<Text> math_type_folder = found->MathTypeFolder();
  if (math_type_folder) status.math_type_folder = WithoutTrailingBackslash(*math_type_folder);
  if (!found->wps) return status;

  WpsStatus wps;
  const WpsFolders& folders = found->wps->folders;
  wps.version_folder = Text::From(folders.version);
  wps.place = found->wps->place;
  wps.pair_bitness = PairBitnessForWps(folders);
  wps.running = WpsProgramRuns(wps.version_folder);

  std::optional<MathTypePair> pair;
  if (math_type_folder) {
    pair = MathTypePairFor(*math_type_folder, wps.pair_bitness);
    if (MissingFromPair(*pair) != PairGap::kNone) pair.reset();
  }
  CompareCopies(folders, pair ? &*pair : nullptr, &wps);
  wps.folders_with_copies = FoldersWithCopies(wps.version_folder);
  status.panel = pair ? StateOfCopies(wps) : PanelState::kCannotCheck;
  status.wps = std::move(wps);
  return status;
}

BoxText StatusReport(const PanelStatus& status) {
  BoxText math_type = messages::kStatusNotFound;
  if (status.math_type_folder) math_type = BoxText().AppendSystem(*status.math_type_folder);
  BoxText wps = status.wps ? WpsFolderText(*status.wps) : BoxText(messages::kStatusNotFound);
  return BoxText::Fill(messages::kStatus.text, {math_type, wps, DetailLines(status)});
}

std::optional<PanelState> CheckPanelStatus(WorkflowUi& ui) {
  ExclusiveRun exclusive;
  if (!exclusive) return std::nullopt;
  std::optional<PanelStatus> status = LookAtPanel(ui);
  if (!status || !ui.WindowOpen()) return std::nullopt;
  const std::int32_t icon =
      status->panel == PanelState::kEmbedded ? kBoxIconInformation : kBoxIconWarning;
  const BoxText report = StatusReport(*status);
  if (ui.log != nullptr) ui.log->Write(report);
  ui.ShowBox(messages::kStatus.title, report, kBoxOk | icon);
  return status->panel;
}

void CheckPanelStatusFromMenu() { CheckPanelStatus(MainWindowUi()); }

int StatusExitCode(std::optional<PanelState> state) {
  return state == PanelState::kEmbedded ? 0 : 1;
}

}  // namespace pelmora
