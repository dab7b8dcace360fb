// What one run carries from stage to stage: how its boxes reach the user
// (or nobody), its log, and whether the window is still there. Made once
// per run by the run's one start (app/runs.h).
#pragma once

#include <cstdint>
#include <initializer_list>

#include "app/messages.h"
#include "app/run_log.h"
#include "app/workflow_ui.h"
#include "runtime/text/box_text.h"

namespace pelmora {

// What a scan of the registry or the disk gets of the run around it: to
// let the window react, to learn that it closed, and to log what it found.
class ScanContext {
 public:
  ScanContext(WorkflowUi& ui, RunLog& log) : ui_(ui), log_(log) {}

  void PumpEvents();
  // The user closed the window: nothing more may be scanned, copied,
  // written, started or shown.
  bool Stopped();
  // One step for the log, its slots filled in order.
  void Log(const char* gbk_template, std::initializer_list<BoxText> filled = {});

 protected:
  WorkflowUi& ui_;

 private:
  RunLog& log_;
};

class RunContext final : public ScanContext {
 public:
  using ScanContext::ScanContext;

  // Every box of a run goes through here; the box's slots filled in order.
  std::int32_t Show(const messages::Box& box, std::int32_t style = 0);
  std::int32_t Show(const messages::Box& box, std::initializer_list<BoxText> filled,
                    std::int32_t style = 0);
  // Nobody at the screen: what a person would be asked is not asked.
  bool Attended();
  void SetProgress(std::int32_t percent);
};

}  // namespace pelmora
