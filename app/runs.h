// Where every run starts, however it was asked for (the window's button
// and system menu, /remove, /check, /quiet): one run at a time, its
// context made, the machine searched, then the run itself. The program
// makes one of these for its whole life.
#pragma once

#include "app/run_log.h"
#include "app/run_outcome.h"
#include "app/workflow_ui.h"
#include "runtime/system/session.h"

namespace pelmora {

enum class RunKind { kEmbed, kRemove, kCheck };

// Whose WPS a run works on: the one this account finds, or every WPS on
// the machine, whoever installed it (/allusers).
enum class RunScope { kThisAccount, kEveryAccount };

class Runs {
 public:
  // Takes the machine's lock for as long as this lives; every run logs to
  // `log`.
  explicit Runs(RunLog& log);
  Runs(const Runs&) = delete;
  Runs& operator=(const Runs&) = delete;

  // One run against `ui`. kBusy, with nothing done, while another run of
  // this program is in progress: runs pump window events, so the button
  // or the system menu can be used during one, and the runs share WPS's
  // folders. Unattended runs are also kBusy while another process holds
  // the machine's lock.
  [[nodiscard]] RunOutcome Start(RunKind kind, WorkflowUi& ui,
                                 RunScope scope = RunScope::kThisAccount);

 private:
  RunLog& log_;
  bool machine_busy_ = false;
  MachineRunLock machine_lock_;
  bool running_ = false;
};

}  // namespace pelmora
