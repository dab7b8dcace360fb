#include "app/vba_installer.h"

#include "app/box_lines.h"
#include "app/build_settings.h"
#include "app/vba_payload.h"
#include "runtime/window/dialogs.h"
#include "runtime/system/files.h"
#include "runtime/system/system_error.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

void ShowStartFailure(RunContext& run, TextView path, const BoxText& reason) {
  run.Show(messages::kVbaFailed, {PathWithReason(path, reason, messages::kVbaFailedReason)});
}

void ShowSystemFailure(RunContext& run, TextView path, std::uint32_t error) {
  ShowStartFailure(run, path, DescribeSystemError(error));
}

// Writes the carried installer beside the program and starts exactly those
// bytes: the folder may be writable by others and the program runs
// elevated, so the file is held against writes from the check to the start.
bool WriteAndStartInstaller(RunContext& run, TextView path) {
  ByteSetView payload = VbaInstallerPayload();
  std::uint32_t error = 0;
  if (!WriteBytesToFile(path, {payload}, &error)) {
    ShowSystemFailure(run, path, error);
    return false;
  }
  HeldFile held = HeldFile::OpenDenyingWrites(path, &error);
  if (!held) {
    ShowSystemFailure(run, path, error);
    return false;
  }
  if (!held.ContentEquals(payload, &error)) {
    if (error != 0) {
      ShowSystemFailure(run, path, error);
    } else {
      ShowStartFailure(run, path, messages::kVbaMismatch);
    }
    return false;
  }
  if (run.Stopped()) return false;
  if (!RunProgramFile(path, false, std::nullopt, &error)) {
    ShowSystemFailure(run, path, error);
    return false;
  }
  return true;
}

}  // namespace

void InstallVbaPrerequisite(RunContext& run) {
  if (run.Stopped()) return;
  run.Show(messages::kVbaNotice);
  if (run.Stopped()) return;

  Text run_directory = GetRunDirectory();
  Text installer = JoinTexts({run_directory, "\\vba.exe"});
  if (!WriteAndStartInstaller(run, installer)) return;
  run.Log(messages::kLogVbaStarted, {BoxText().AppendSystem(installer)});

  if (run.Stopped()) return;
  run.SetProgress(kProgressInstallerStarted);
  std::int32_t answer = run.Show(messages::kVbaQuestion, kBoxOkCancel);
  if (run.Stopped()) return;
  if (answer == kButtonOk) {
    // Not examined: the installer has done its work, and a vba.exe left
    // behind harms nothing.
    static_cast<void>(RemoveFile(installer));
    run.Show(messages::kDone, {build_settings::kSupportGroup});
  } else {
    run.Show(messages::kVbaManual);
  }
}

}  // namespace pelmora
