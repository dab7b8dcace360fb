#include "app/removal.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "app/discovery.h"
#include "app/exclusive_run.h"
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

// A delete can report success and leave the file (Wine does so for a file
// the file system keeps immutable), so only a file no longer found counts
// as removed. One that survived a reported success was refused by the
// system, which is what a second attempt would say: access denied.
bool DeleteAndConfirm(TextView path, std::uint32_t* error) {
  if (!RemoveFile(path, error)) return false;
  if (!FileExists(path)) return true;
  *error = port::kErrorAccessDenied;
  return false;
}

RemovalOutcome RemoveFrom(WorkflowRun& run, TextView version_folder) {
  std::vector<Text> files = FindPlacedPanelFiles(version_folder);
  if (files.empty()) {
    run.Show(messages::kNothingToRemove);
    return RemovalOutcome::kNothingToRemove;
  }
  if (!WaitUntilWpsClosed(run, version_folder)) {
    return run.Stopped() ? RemovalOutcome::kStopped : RemovalOutcome::kDeclined;
  }
  const std::int32_t answer =
      run.Show(messages::kRemoveQuestion, {OnePerLine(files)}, kYesNoQuestionStyle);
  if (run.Stopped()) return RemovalOutcome::kStopped;
  if (answer != kButtonYes) return RemovalOutcome::kDeclined;

  BoxText files_left;
  for (const Text& file : files) {
    std::uint32_t error = 0;
    if (DeleteAndConfirm(file, &error)) continue;
    files_left.AppendSystem(file).Append(
        BoxText::Fill(messages::kFailedReason, DescribeSystemError(error)));
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
  return RemoveFrom(run, found->wps->folders.version);
}

void RemovePanelFromMenu() { RemovePanel(MainWindowUi()); }

int RemovalExitCode(RemovalOutcome outcome) {
  switch (outcome) {
    case RemovalOutcome::kRemoved:
    case RemovalOutcome::kNothingToRemove:
      return 0;
    case RemovalOutcome::kDeclined:
    case RemovalOutcome::kNotAllRemoved:
    case RemovalOutcome::kWpsNotFound:
    case RemovalOutcome::kStopped:
    case RemovalOutcome::kBusy:
      break;
  }
  return 1;
}

}  // namespace pelmora
