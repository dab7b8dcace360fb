#include "app/removal.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "app/discovery.h"
#include "app/exclusive_run.h"
#include "app/exit_codes.h"
#include "app/finder.h"
#include "app/messages.h"
#include "app/panel_files.h"
#include "app/workflow_run.h"
#include "app/wps_running.h"
#include "runtime/text/box_text.h"
#include "runtime/window/dialogs.h"
#include "runtime/system/files.h"
#include "runtime/system/files_port.h"
#include "runtime/system/system_error.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

constexpr std::int32_t kYesNoQuestionStyle = kBoxYesNo | kBoxIconQuestion;

BoxText OnePerLine(const std::vector<Text>& files) {
  BoxText paths;
  for (const Text& file : files) {
    if (!paths.empty()) paths.AppendGbk("\r\n");
    paths.AppendSystem(file);
  }
  return paths;
}

RemovalOutcome RemoveFrom(WorkflowRun& run, TextView version_folder) {
  std::vector<Text> files = FindPlacedPanelFiles(version_folder);
  if (files.empty()) {
    run.Log(messages::kLogNothingToRemove);
    run.Show(messages::kNothingToRemove);
    return RemovalOutcome::kNothingToRemove;
  }
  if (!WaitUntilWpsClosed(run, version_folder)) {
    if (run.Stopped()) return RemovalOutcome::kStopped;
    return run.Attended() ? RemovalOutcome::kDeclined : RemovalOutcome::kWpsRunning;
  }
  // Unattended, the command line itself was the answer.
  if (run.Attended()) {
    const std::int32_t answer =
        run.Show(messages::kRemoveQuestion, {OnePerLine(files)}, kYesNoQuestionStyle);
    if (run.Stopped()) return RemovalOutcome::kStopped;
    if (answer != kButtonYes) return RemovalOutcome::kDeclined;
  }

  BoxText files_left;
  for (const Text& file : files) {
    std::uint32_t error = 0;
    if (DeleteCopy(file, &error)) {
      run.Log(messages::kLogDeleted, {BoxText().AppendSystem(file)});
      continue;
    }
    const Text reason = DescribeSystemError(error);
    run.Log(messages::kLogNotDeleted, {BoxText().AppendSystem(file), reason});
    files_left.AppendSystem(file).Append(BoxText::Fill(messages::kFailedReason, reason));
  }
  if (files_left.empty()) {
    run.Show(messages::kRemoved);
    return RemovalOutcome::kRemoved;
  }
  run.Show(messages::kRemoveFailed, {files_left});
  return RemovalOutcome::kNotAllRemoved;
}

}  // namespace

RemovalOutcome RemovePanel(WorkflowUi& ui) {
  ExclusiveRun exclusive;
  if (!exclusive) return RemovalOutcome::kBusy;
  WorkflowRun run(ui);
  std::optional<Findings> found = FindInstallations(run);
  if (!found) return RemovalOutcome::kStopped;
  if (!found->wps) {
    ShowWpsAbsence(run, found->wps_absence);
    return RemovalOutcome::kWpsNotFound;
  }
  run.Log(messages::kLogWpsFolder, {BoxText().AppendSystem(found->wps->folders.version),
                                    WpsPlaceName(found->wps->place)});
  return RemoveFrom(run, found->wps->folders.version);
}

void RemovePanelFromMenu() { RemovePanel(MainWindowUi()); }

// With a person at the screen the removal says why in its boxes, and its
// code only tells done from not done.
int RemovalExitCode(RemovalOutcome outcome, bool attended) {
  switch (outcome) {
    case RemovalOutcome::kRemoved:
    case RemovalOutcome::kNothingToRemove:
      return kExitDone;
    case RemovalOutcome::kWpsNotFound:
      return attended ? kExitNotDone : kExitNoWps;
    case RemovalOutcome::kNotAllRemoved:
      return attended ? kExitNotDone : kExitFileFailed;
    case RemovalOutcome::kWpsRunning:
    case RemovalOutcome::kBusy:
      return attended ? kExitNotDone : kExitTryLater;
    case RemovalOutcome::kDeclined:
    case RemovalOutcome::kStopped:
      break;
  }
  return kExitNotDone;
}

}  // namespace pelmora
