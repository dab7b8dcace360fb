#include "app/program_start.h"

#include <cstdint>
#include <string>

#include "app/build_settings.h"
#include "app/command_line.h"
#include "app/exit_codes.h"
#include "app/main_window.h"
#include "app/messages.h"
#include "app/run_context.h"
#include "app/run_log.h"
#include "app/runs.h"
#include "app/workflow_ui.h"
#include "runtime/system/bitness.h"
#include "runtime/system/fatal_report.h"
#include "runtime/system/files.h"
#include "runtime/system/files_port.h"
#include "runtime/system/session.h"
#include "runtime/system/system_error.h"
#include "runtime/window/dialogs.h"
#include "runtime/window/startup.h"

namespace pelmora {
namespace {

RunKind KindOf(RequestedRun run) {
  switch (run) {
    case RequestedRun::kRemovePanel:
      return RunKind::kRemove;
    case RequestedRun::kCheckPanel:
      return RunKind::kCheck;
    case RequestedRun::kEmbed:
    case RequestedRun::kUsage:
      break;
  }
  return RunKind::kEmbed;
}

bool OpensWindow(const CommandLine& line) {
  return line.run == RequestedRun::kEmbed && !line.quiet;
}

// LocalSystem's own registry and desktop hold no user's WPS, so its runs
// look at every account; the window asks one person at one screen.
RunScope ScopeOf(const CommandLine& line) {
  if (OpensWindow(line)) return RunScope::kThisAccount;
  return line.all_users || RunsAsLocalSystem() ? RunScope::kEveryAccount : RunScope::kThisAccount;
}

// The start line's last part.
const char* ScopeNote(const CommandLine& line, RunScope scope) {
  if (scope == RunScope::kThisAccount) return "";
  return line.all_users ? messages::kLogAllAccounts : messages::kLogAllAccountsAsSystem;
}

// What the line asks for once the log is open: the window, or one run
// without it.
int RunAsAsked(const CommandLine& line, RunScope scope, WorkflowUi& ui, RunLog& log) {
  Runs runs(log);
  if (OpensWindow(line)) return RunMainWindow(runs);
  return ExitCodeOf(runs.Start(KindOf(line.run), ui, scope), ui.Attended());
}

}  // namespace

int ProgramStart(TextView arguments) {
  const CommandLine line = ReadCommandLine(arguments);
  // A log named without a folder lies in the folder the program was
  // started from, which start-up replaces with the program's own.
  const std::string log_path = line.log_file.empty() ? std::string()
                                                     : port::FullPathName(line.log_file.c_str());
  InitializeRuntime(MainWindowHandlers().data(), MainWindowHandlers().size());

  UnattendedUi unattended;
  WindowlessUi windowless;
  WorkflowUi* const chosen_ui = line.quiet ? static_cast<WorkflowUi*>(&unattended) : &windowless;
  WorkflowUi& ui = *chosen_ui;
  RunLog log;
  RunContext context(ui, log);
  if (line.invalid || line.all_users_alone) {
    // A mistyped switch must not open a window that nobody answers.
    BoxText first = line.invalid ? BoxText::Fill(messages::kUnknownArgument,
                                                 {BoxText().AppendSystem(line.invalid->c_str())})
                                 : BoxText(messages::kAllUsersAlone);
    context.Show({messages::kUsage.title, "{}{}"}, {first, UsageText()}, kBoxOk);
    return kExitInvalidCommandLine;
  }
  if (line.run == RequestedRun::kUsage) {
    context.Show({messages::kUsage.title, "{}"}, {UsageText()}, kBoxOk);
    return kExitDone;
  }
  if (!log_path.empty()) {
    std::uint32_t error = 0;
    if (!log.Open(log_path.c_str(), &error)) {
      // A log that leads elsewhere would let whoever planted the link choose
      // the file this elevated run appends to.
      const BoxText reason = error == kErrorLeadsElsewhere ? BoxText(messages::kLogLeadsElsewhere)
                                                           : BoxText(DescribeSystemError(error));
      context.Show(messages::kLogUnwritable, {BoxText().AppendSystem(log_path.c_str()), reason});
      return kExitLogUnwritable;
    }
  }
  const RunScope scope = ScopeOf(line);
  context.Log(messages::kLogStart, {build_settings::kVersion, BoxText().AppendSystem(arguments),
                                    WindowsIs64Bit() ? "64" : "32",
                                    BoxText().AppendSystem(AccountName()), ScopeNote(line, scope)});
  if (line.quiet) SendReportsInsteadOfShowing(&log);
  const int code = RunAsAsked(line, scope, ui, log);
  context.Log(messages::kLogEnd, {std::to_string(code).c_str()});
  SendReportsInsteadOfShowing(nullptr);
  return code;
}

}  // namespace pelmora
