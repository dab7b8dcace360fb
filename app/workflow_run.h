// The window side of one run, handed from stage to stage: its boxes, its
// bar, and whether the user has closed the window. Every box the program
// shows during a run goes through Show.
#pragma once

#include <cstdint>

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
    return ui_.ShowBox(box.title, box.text, style);
  }
  // The box with its text's slots filled, in order.
  std::int32_t Show(const messages::Box& box, std::initializer_list<BoxText> filled,
                    std::int32_t style = 0) {
    return ui_.ShowBox(box.title, BoxText::Fill(box.text, filled), style);
  }
  // Nobody at the screen: what a person would be asked is not asked.
  bool Attended() { return ui_.Attended(); }
  // One step for the log, its slots filled in order.
  void Log(const char* gbk_template, std::initializer_list<BoxText> filled = {}) {
    if (ui_.log != nullptr) ui_.log->Write(BoxText::Fill(gbk_template, filled));
  }
  void SetProgress(std::int32_t percent) { ui_.SetProgress(percent); }
  void PumpEvents() { ui_.PumpEvents(); }

 private:
  WorkflowUi& ui_;
};

}  // namespace pelmora
