// What a workflow run needs from the window around it. The run is written
// against this so that the host tests can script the window; the program
// itself uses the runtime-backed implementation.
#pragma once

#include <cstdint>

#include "runtime/text/box_text.h"
#include "runtime/text/values.h"

namespace pelmora {

// Where the progress bar stands after each stage of a run.
enum RunProgress : std::int32_t {
  kProgressMathTypeFound = 20,
  kProgressWpsFound = 40,
  kProgressComponentsCopied = 80,
  kProgressInstallerStarted = 100,
};

class WorkflowUi {
 public:
  virtual ~WorkflowUi() = default;
  // A modal box; returns the BoxButton pressed (kButtonOk, kButtonCancel).
  virtual std::int32_t ShowBox(const BoxText& text, std::int32_t style, TextView title) = 0;
  virtual void SetProgress(std::int32_t percent) = 0;
  // Lets the window repaint and react while a long step runs.
  virtual void PumpEvents() = 0;
  // False once the user has closed the window: the run must stop there.
  virtual bool WindowOpen() = 0;
};

// The window as a run that must leave the progress bar alone sees it:
// events are pumped and a closed window is noticed as usual. Boxes reach
// the window, or, for a run that only looks, are dropped unseen and count
// as OK (the answer of a box that could not be shown); no box a stage
// shows without being asked for anything needs more.
class BarlessUi final : public WorkflowUi {
 public:
  enum class Boxes { kShown, kDropped };
  BarlessUi(WorkflowUi& window, Boxes boxes) : window_(window), boxes_(boxes) {}
  std::int32_t ShowBox(const BoxText& text, std::int32_t style, TextView title) override {
    if (boxes_ == Boxes::kDropped) return 0;
    return window_.ShowBox(text, style, title);
  }
  void SetProgress(std::int32_t) override {}
  void PumpEvents() override { window_.PumpEvents(); }
  bool WindowOpen() override { return window_.WindowOpen(); }

 private:
  WorkflowUi& window_;
  Boxes boxes_;
};

// Boxes, the progress bar 进度条1 and event pumping of the main window.
WorkflowUi& MainWindowUi();

// For a run without any window (the removal from the command line): boxes
// without an owner, no bar, nothing to pump, never closed.
WorkflowUi& WindowlessUi();

}  // namespace pelmora
