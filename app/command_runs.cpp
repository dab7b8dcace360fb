#include "app/command_runs.h"

#include <string>

#include "app/build_settings.h"
#include "app/exit_codes.h"
#include "app/messages.h"
#include "app/panel_status.h"
#include "app/removal.h"
#include "app/run_log.h"
#include "app/workflow.h"
#include "app/workflow_run.h"
#include "app/workflow_ui.h"
#include "runtime/system/bitness.h"
#include "runtime/system/fatal_report.h"
#include "runtime/system/session.h"
#include "runtime/system/system_error.h"
#include "runtime/window/dialogs.h"

namespace pelmora {
namespace {

// A fatal report of an unattended run goes to its log: nobody would answer
// the box, and the deployment tool would wait for it forever.
void ReportIntoLog(const std::string& gbk_text) {
  WorkflowRun(UnattendedUi()).Log("{}", {BoxText(TextView(gbk_text.c_str()))});
}

// Every way a run can reach the user logs to the same file.
void AttachLog(RunLog* log) {
  for (WorkflowUi* ui : {&MainWindowUi(), &WindowlessUi(), &UnattendedUi()}) ui->log = log;
}

// The removal, the check or (unattended) the embedding alone: no window,
// no notice.
int RunWithoutWindow(const CommandLine& line, WorkflowUi& ui) {
  switch (line.run) {
    case RequestedRun::kRemovePanel:
      return RemovalExitCode(RemovePanel(ui), ui.Attended());
    case RequestedRun::kCheckPanel:
      return StatusExitCode(CheckPanelStatus(ui));
    case RequestedRun::kEmbed:
    case RequestedRun::kUsage:
      break;
  }
  return RunEmbeddingWorkflow(ui);
}

}  // namespace

int RunAsAsked(const CommandLine& line, const std::string& log_path, TextView arguments,
               int (*run_window)()) {
  WorkflowUi& ui = line.quiet ? UnattendedUi() : WindowlessUi();
  if (line.invalid) {
    if (!line.quiet) {
      BoxText text = BoxText::Fill(messages::kUnknownArgument,
                                   {BoxText().AppendSystem(line.invalid->c_str())});
      ui.ShowBox(messages::kUsage.title, text.Append(messages::kUsage.text), kBoxOk);
    }
    return kExitInvalidCommandLine;
  }
  if (line.run == RequestedRun::kUsage) {
    if (!line.quiet) WorkflowRun(ui).Show(messages::kUsage, kBoxOk);
    return kExitDone;
  }
  RunLog log;
  if (!log_path.empty()) {
    std::uint32_t error = 0;
    if (!log.Open(log_path.c_str(), &error)) {
      if (!line.quiet) {
        WorkflowRun(ui).Show(messages::kLogUnwritable, {BoxText().AppendSystem(log_path.c_str()),
                                                       DescribeSystemError(error)});
      }
      return kExitLogUnwritable;
    }
  }
  AttachLog(&log);
  WorkflowRun(ui).Log(messages::kLogStart,
                      {build_settings::kVersion, BoxText().AppendSystem(arguments),
                       WindowsIs64Bit() ? "64" : "32", BoxText().AppendSystem(AccountName())});
  if (line.quiet) SendReportsInsteadOfShowing(ReportIntoLog);
  // Every run holds the machine's lock; unattended ones wait for no one,
  // so while another run holds it they are told to come back later.
  bool busy = false;
  const UniqueMutex lock = TakeMachineRunLock(&busy);
  int code = kExitTryLater;
  if (busy && line.quiet) {
    WorkflowRun(ui).Log(messages::kLogAnotherRun);
  } else {
    code = line.run == RequestedRun::kEmbed && !line.quiet ? run_window()
                                                           : RunWithoutWindow(line, ui);
  }
  WorkflowRun(ui).Log(messages::kLogEnd, {std::to_string(code).c_str()});
  SendReportsInsteadOfShowing(nullptr);
  AttachLog(nullptr);
  return code;
}

}  // namespace pelmora
