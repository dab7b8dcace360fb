// The window side of one run of the workflow, handed from stage to stage:
// its boxes, its bar, and whether the user has closed the window.
#pragma once

#include "app/messages.h"
#include "app/workflow_ui.h"

namespace pelmora {

class WorkflowRun {
 public:
  explicit WorkflowRun(WorkflowUi& ui) : ui_(ui) {}

  // The user closed the window: nothing more may be copied, written,
  // started or shown.
  bool Stopped() { return !ui_.WindowOpen(); }

  std::int32_t Show(const messages::Box& box, std::int32_t style = 0) {
    return ui_.ShowBox(box.text, style, box.title);
  }
  std::int32_t Show(TextView title, const BoxText& text, std::int32_t style = 0) {
    return ui_.ShowBox(text, style, title);
  }
  void SetProgress(std::int32_t percent) { ui_.SetProgress(percent); }
  void PumpEvents() { ui_.PumpEvents(); }

 private:
  WorkflowUi& ui_;
};

}  // namespace pelmora
