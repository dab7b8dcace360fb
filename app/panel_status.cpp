#include "app/panel_status.h"

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "app/discovery.h"
#include "app/exclusive_run.h"
#include "app/messages.h"
#include "app/panel_files.h"
#include "app/placement.h"
#include "app/workflow_paths.h"
#include "app/workflow_run.h"
#include "runtime/window/dialogs.h"
#include "runtime/system/files.h"
#include "runtime/system/system_path.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

constexpr const char* kLineBreak = "\r\n";

// MathType's folder (ending in a backslash) from the last MathType 7 entry
// of the machine-wide list, found by the embedding's own scan with its
// boxes dropped. The scan records into paths of its own, so the program's
// paths keep what the last embedding found. Nothing when the window was
// closed meanwhile.
std::optional<MathTypeFound> FindMathTypeQuietly(WorkflowRun& run) {
  WorkflowPaths scratch;
  std::optional<MachineListScan> scan = ScanMachineUninstallList(run, scratch);
  if (!scan) return std::nullopt;
  return std::move(scan->math_type);
}

bool PairComplete(const MathTypePair& pair) {
  return FileExists(pair.template_file) && FileExists(pair.add_in);
}

// Each destination against its source in the pair, or only whether it is
// there when there is no pair to compare with.
void CompareCopies(const WpsFolders& folders, const MathTypePair* pair, WpsStatus* wps) {
  for (std::size_t i = 0; i < std::size(kPanelFiles); ++i) {
    const PanelFile& file = kPanelFiles[i];
    PanelCopy& copy = wps->copies[i];
    std::optional<Text> placed = PlacedPanelFile(folders.version, file);
    if (!placed) {
      copy.path = JoinTexts(
          {folders.version, PanelFolderBelowVersion(file.folder), PanelFileName(file.source)});
      copy.state = PanelCopy::State::kMissing;
      continue;
    }
    copy.path = std::move(*placed);
    if (pair == nullptr) {
      copy.state = PanelCopy::State::kPresent;
      continue;
    }
    const Text& source = file.source == PanelSource::kTemplate ? pair->template_file : pair->add_in;
    copy.state = SameFileContent(source, copy.path) ? PanelCopy::State::kSame
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

const char* PlaceName(WpsPlace place) {
  switch (place) {
    case WpsPlace::kMachineList:
      return messages::kStatusPlaceMachineList;
    case WpsPlace::kUserList:
      return messages::kStatusPlaceUserList;
    case WpsPlace::kMachine64List:
      return messages::kStatusPlaceMachine64List;
    case WpsPlace::kInstallRoot:
      return messages::kStatusPlaceInstallRoot;
    case WpsPlace::kDesktopShortcut:
      break;
  }
  return messages::kStatusPlaceShortcut;
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

void AppendWpsLines(const WpsStatus& wps, PanelState panel, BoxText* report) {
  report->AppendGbk(messages::kStatusWps)
      .AppendSystem(wps.version_folder)
      .AppendGbk(messages::kStatusWpsOpen)
      .AppendGbk(PlaceName(wps.place))
      .AppendGbk(messages::kStatusWpsBetween)
      .AppendGbk(wps.pair_bitness == ProgramBitness::k64Bit ? messages::kStatus64Bit
                                                             : messages::kStatus32Bit)
      .AppendGbk(messages::kStatusWpsClose)
      .AppendGbk(kLineBreak);
  report->AppendGbk(wps.running ? messages::kStatusWpsRuns : messages::kStatusWpsClosed)
      .AppendGbk(kLineBreak);
  report->AppendGbk(messages::kStatusPanel).AppendGbk(StateName(panel)).AppendGbk(kLineBreak);
  for (const PanelCopy& copy : wps.copies) {
    report->AppendSystem(copy.path)
        .AppendGbk(messages::kStatusFileSeparator)
        .AppendGbk(CopyStateName(copy.state))
        .AppendGbk(kLineBreak);
  }
  if (wps.folders_with_copies.empty()) {
    report->AppendGbk(messages::kStatusNoOtherCopies).AppendGbk(kLineBreak);
    return;
  }
  report->AppendGbk(messages::kStatusOtherCopies);
  for (const Text& folder : wps.folders_with_copies) {
    report->AppendGbk(kLineBreak).AppendSystem(folder);
  }
  report->AppendGbk(kLineBreak);
}

}  // namespace

std::optional<PanelStatus> LookAtPanel(WorkflowUi& window) {
  BarlessUi quiet(window, BarlessUi::Boxes::kDropped);
  WorkflowRun run(quiet);
  PanelStatus status;

  std::optional<MathTypeFound> math_type = FindMathTypeQuietly(run);
  if (!math_type) return std::nullopt;
  if (math_type->folder) status.math_type_folder = WithoutTrailingBackslash(*math_type->folder);

  WpsPlace place = WpsPlace::kMachineList;
  std::optional<Text> version_folder = LocateWpsVersionFolder(run, &place);
  if (run.Stopped()) return std::nullopt;
  if (!version_folder) return status;

  WpsStatus wps;
  WpsFolders folders = WpsFoldersOfVersion(*version_folder);
  wps.version_folder = std::move(*version_folder);
  wps.place = place;
  wps.pair_bitness = PairBitnessForWps(folders);
  wps.running = WpsProgramRuns(wps.version_folder);

  std::optional<MathTypePair> pair;
  if (math_type->folder) {
    pair = MathTypePairFor(*math_type->folder, wps.pair_bitness);
    if (!PairComplete(*pair)) pair.reset();
  }
  CompareCopies(folders, pair ? &*pair : nullptr, &wps);
  wps.folders_with_copies = FoldersWithCopies(wps.version_folder);
  status.panel = pair ? StateOfCopies(wps) : PanelState::kCannotCheck;
  status.wps = std::move(wps);
  return status;
}

BoxText StatusReport(const PanelStatus& status) {
  BoxText report;
  report.AppendGbk(messages::kStatusMathType);
  if (status.math_type_folder) {
    report.AppendSystem(*status.math_type_folder);
  } else {
    report.AppendGbk(messages::kStatusNotFound);
  }
  report.AppendGbk(kLineBreak);
  if (status.wps) {
    AppendWpsLines(*status.wps, status.panel, &report);
  } else {
    report.AppendGbk(messages::kStatusWps).AppendGbk(messages::kStatusNotFound).AppendGbk(kLineBreak);
    report.AppendGbk(messages::kStatusPanel).AppendGbk(StateName(status.panel)).AppendGbk(kLineBreak);
  }
  report.AppendGbk(messages::kStatusCopyHint);
  return report;
}

std::optional<PanelState> CheckPanelStatus(WorkflowUi& ui) {
  ExclusiveRun exclusive;
  if (!exclusive) return std::nullopt;
  std::optional<PanelStatus> status = LookAtPanel(ui);
  if (!status || !ui.WindowOpen()) return std::nullopt;
  const std::int32_t icon =
      status->panel == PanelState::kEmbedded ? kBoxIconInformation : kBoxIconWarning;
  ui.ShowBox(StatusReport(*status), kBoxOk | icon, messages::kStatusTitle);
  return status->panel;
}

void CheckPanelStatusFromMenu() { CheckPanelStatus(MainWindowUi()); }

int StatusExitCode(std::optional<PanelState> state) {
  return state == PanelState::kEmbedded ? 0 : 1;
}

}  // namespace pelmora
