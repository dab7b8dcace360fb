#include "app/removal.h"

#include <cstdint>
#include <vector>

#include "app/box_lines.h"
#include "app/held_folders.h"
#include "app/messages.h"
#include "app/panel_inspection.h"
#include "app/shared_boxes.h"
#include "app/wps_running.h"
#include "runtime/system/files.h"
#include "runtime/system/system_path.h"
#include "runtime/window/dialogs.h"

namespace pelmora {
namespace {

constexpr std::int32_t kYesNoQuestionStyle = kBoxYesNo | kBoxIconQuestion;

// Every file is attempted, but none in a refused folder; each
// one that stays is logged and named with its reason.
RunOutcome DeleteCopies(RunContext& run, const std::vector<Text>& files,
                        const HeldWpsFolders& folders) {
  BoxText files_left;
  for (const Text& file : files) {
    std::uint32_t error = folders.RefusalOf(ParentFolder(file));
    if (error == 0 && RemoveFileForGood(file, &error)) {
      run.Log(messages::kLogDeleted, {BoxText().AppendSystem(file)});
      continue;
    }
    const BoxText reason = FailureReason(error);
    run.Log(messages::kLogNotDeleted, {BoxText().AppendSystem(file), reason});
    files_left.Append(PathWithReason(file, reason, messages::kFailedReason));
  }
  if (files_left.empty()) {
    run.Show(messages::kRemoved);
    return RunOutcome::kDone;
  }
  run.Show(messages::kRemoveFailed, {files_left});
  return RunOutcome::kFileFailed;
}

}  // namespace

RunOutcome RemovePanel(RunContext& run, const Findings& found) {
  if (!found.wps) {
    ShowWpsAbsence(run, found.wps_absence);
    return RunOutcome::kNoWps;
  }
  const WpsFolders& wps = found.wps->folders;
  run.Log(messages::kLogWpsFolder,
          {BoxText().AppendSystem(wps.version), WpsPlaceName(found.wps->place)});
  // Held from before the files are listed to after the last is deleted:
  // the wait for WPS and the question leave time to swap a folder.
  HeldWpsFolders folders;
  folders.Hold(wps);
  const PanelInspection panel = InspectPanel(wps, nullptr);
  for (const OtherVersionCopies& other : panel.other_versions) {
    folders.Hold(WpsFoldersOf(other.version_folder));
  }
  const std::vector<Text> files = panel.CopiesOnDisk();
  if (files.empty()) {
    run.Log(messages::kLogNothingToRemove);
    run.Show(messages::kNothingToRemove);
    return RunOutcome::kDone;
  }
  if (!WaitUntilWpsClosed(run, wps.version)) {
    if (run.Stopped()) return RunOutcome::kStopped;
    return run.Attended() ? RunOutcome::kNotDone : RunOutcome::kWpsRunning;
  }
  // Unattended, the command line itself was the answer.
  if (run.Attended()) {
    const std::int32_t answer = run.Show(
        messages::kRemoveQuestion, {PathsOnePerLine(files, LineBreaks::kBetween)}, kYesNoQuestionStyle);
    if (run.Stopped()) return RunOutcome::kStopped;
    if (answer != kButtonYes) return RunOutcome::kNotDone;
  }
  return DeleteCopies(run, files, folders);
}

}  // namespace pelmora
