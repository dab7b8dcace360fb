#include "app/removal.h"

#include <algorithm>
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
#include "runtime/text/text.h"
#include "runtime/window/dialogs.h"

namespace pelmora {
namespace {

constexpr std::int32_t kYesNoQuestionStyle = kBoxYesNo | kBoxIconQuestion;

// Every file is attempted, but none in a refused folder; each one that
// stays is logged, and named with its reason in what this returns.
BoxText DeleteCopies(RunContext& run, const std::vector<Text>& files,
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
  return files_left;
}

// The folders are held from before the files are listed to after the last
// is deleted: the wait for WPS and the question leave time to swap one.
std::vector<Text> HoldAndListCopies(const WpsFolders& wps, HeldWpsFolders* folders) {
  folders->Hold(wps);
  const PanelInspection panel = InspectPanel(wps, nullptr);
  for (const OtherVersionCopies& other : panel.other_versions) {
    folders->Hold(WpsFoldersOf(other.version_folder));
  }
  return panel.CopiesOnDisk();
}

// Unattended, the command line itself was the answer.
bool RemovalAgreed(RunContext& run, const std::vector<Text>& files) {
  if (!run.Attended()) return true;
  const std::int32_t answer =
      run.Show(messages::kRemoveQuestion, {PathsOnePerLine(files, LineBreaks::kBetween)},
               kYesNoQuestionStyle);
  return !run.Stopped() && answer == kButtonYes;
}

// A version folder can be one WPS's own and another's older one.
void AddNew(const std::vector<Text>& copies, std::vector<Text>* files) {
  for (const Text& copy : copies) {
    const bool known = std::any_of(files->begin(), files->end(), [&](const Text& file) {
      return SameTextIgnoringCase(file, copy, IsPathLeadByte);
    });
    if (!known) files->push_back(Text::From(copy));
  }
}

// The closing box of a removal from every WPS: what was deleted or stayed,
// then the WPS left alone because they run.
RunOutcome TellRemovalEnd(RunContext& run, bool any_deleted, const BoxText& files_left,
                          const std::vector<Text>& running) {
  BoxText text;
  if (!files_left.empty()) {
    text = BoxText::Fill(messages::kRemoveFailed.text, {files_left});
  } else if (any_deleted) {
    text = messages::kRemoved.text;
  }
  if (!running.empty()) {
    if (!text.empty()) text.AppendGbk("\r\n\r\n");
    text.Append(BoxText::Fill(messages::kRemoveLeftRunning,
                              {PathsOnePerLine(running, LineBreaks::kBetween)}));
  }
  const char* title = !files_left.empty() ? messages::kRemoveFailed.title
                      : running.empty()   ? messages::kRemoved.title
                                          : messages::kRemoveTitle;
  run.Show({title, "{}"}, {text});
  if (!files_left.empty()) return RunOutcome::kFileFailed;
  return running.empty() ? RunOutcome::kDone : RunOutcome::kWpsRunning;
}

}  // namespace

RunOutcome RemovePanel(RunContext& run, const Findings& found) {
  if (!found.wps) {
    ShowWpsAbsence(run, found.wps_absence);
    return RunOutcome::kNoWps;
  }
  const WpsFolders& wps = found.wps->folders;
  run.Log(messages::kLogWpsFolder, {BoxText().AppendSystem(wps.version), PlaceNameOf(*found.wps)});
  HeldWpsFolders folders;
  const std::vector<Text> files = HoldAndListCopies(wps, &folders);
  if (files.empty()) {
    run.Log(messages::kLogNothingToRemove);
    run.Show(messages::kNothingToRemove);
    return RunOutcome::kDone;
  }
  if (!WaitUntilWpsClosed(run, wps.version)) {
    if (run.Stopped()) return RunOutcome::kStopped;
    return run.Attended() ? RunOutcome::kNotDone : RunOutcome::kWpsRunning;
  }
  if (!RemovalAgreed(run, files)) {
    return run.Stopped() ? RunOutcome::kStopped : RunOutcome::kNotDone;
  }
  const BoxText files_left = DeleteCopies(run, files, folders);
  if (files_left.empty()) {
    run.Show(messages::kRemoved);
    return RunOutcome::kDone;
  }
  run.Show(messages::kRemoveFailed, {files_left});
  return RunOutcome::kFileFailed;
}

RunOutcome RemoveFromEveryWps(RunContext& run, const EveryWps& every) {
  if (every.wps.empty()) {
    run.Log(messages::kLogNoWps);
    run.Show(messages::kWpsMissing);
    return RunOutcome::kNoWps;
  }
  HeldWpsFolders folders;
  std::vector<Text> files;
  std::vector<Text> running;
  for (const WpsLocation& wps : every.wps) {
    run.Log(messages::kLogWpsFolder,
            {BoxText().AppendSystem(wps.folders.version), PlaceNameOf(wps)});
    const std::vector<Text> copies = HoldAndListCopies(wps.folders, &folders);
    if (copies.empty()) {
      run.Log(messages::kLogNothingToRemove);
      continue;
    }
    // One WPS in use must not keep the panel in all the others.
    const bool runs = WpsProgramRuns(wps.folders.version);
    run.Log(messages::kLogWpsRunning, {runs ? messages::kStatusYes : messages::kStatusNo});
    if (runs) {
      run.Log(messages::kLogWpsLeftRunning);
      running.push_back(Text::From(wps.folders.version));
      continue;
    }
    AddNew(copies, &files);
  }
  if (files.empty() && running.empty()) {
    run.Show(messages::kNothingToRemove);
    return RunOutcome::kDone;
  }
  if (!files.empty() && !RemovalAgreed(run, files)) return RunOutcome::kNotDone;
  const BoxText files_left = DeleteCopies(run, files, folders);
  return TellRemovalEnd(run, !files.empty(), files_left, running);
}

}  // namespace pelmora
