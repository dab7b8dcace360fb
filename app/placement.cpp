#include "app/placement.h"

#include <cstdint>
#include <optional>
#include <string>

#include "app/box_lines.h"
#include "app/panel_transaction.h"
#include "runtime/system/files.h"

namespace pelmora {
namespace {

BoxText ReasonOf(const PlacementFailure& failure) {
  return failure.mismatch ? BoxText(messages::kCopyMismatch) : FailureReason(failure.error);
}

BoxText FailureList(const std::vector<PlacementFailure>& failures) {
  BoxText list;
  for (const PlacementFailure& failure : failures) {
    list.Append(PathWithReason(failure.path, ReasonOf(failure), messages::kFailedReason));
  }
  return list;
}

void LogPlacement(RunContext& run, const MathTypePair& pair, const WpsFolders& wps,
                  const PlacementOutcome& outcome) {
  for (const RefusedFolder& refused : outcome.refused_folders) {
    run.Log(messages::kLogFolderRefused,
            {BoxText().AppendSystem(refused.folder), FailureReason(refused.error)});
  }
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

bool PlaceComponents(RunContext& run, const MathTypePair& pair, const WpsFolders& wps) {
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
