// What a run needs from the screen around it: boxes, the bar, events, and
// whether the window is still open. Runs are written against this so that
// the host tests can script the screen; the program uses the three kinds
// below, one made for each run.
#pragma once

#include <cstdint>

#include "runtime/text/box_text.h"
#include "runtime/text/values.h"

namespace pelmora {

// Where the progress bar stands after each stage of an embedding.
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
  virtual std::int32_t ShowBox(TextView title, const BoxText& text, std::int32_t style) = 0;
  virtual void SetProgress(std::int32_t percent) = 0;
  // Lets the window repaint and react while a long step runs.
  virtual void PumpEvents() = 0;
  // False once the user has closed the window: the run must stop there.
  virtual bool WindowOpen() = 0;
  // False when nobody is at the screen: no box is shown or waited for.
  virtual bool Attended() { return true; }
};

// Boxes, the progress bar 进度条1 and event pumping of the main window.
class MainWindowUi final : public WorkflowUi {
 public:
  std::int32_t ShowBox(TextView title, const BoxText& text, std::int32_t style) override;
  void SetProgress(std::int32_t percent) override;
  void PumpEvents() override;
  bool WindowOpen() override;
};

// For a run without any window (the command line's removal and check):
// boxes without an owner, no bar, nothing to pump, never closed.
class WindowlessUi final : public WorkflowUi {
 public:
  std::int32_t ShowBox(TextView title, const BoxText& text, std::int32_t style) override;
  void SetProgress(std::int32_t) override {}
  void PumpEvents() override {}
  bool WindowOpen() override { return true; }
};

// For /quiet: no box at all (each counts as answered with 0, the answer of
// a box that could not be shown), no bar, never closed, not attended.
class UnattendedUi final : public WorkflowUi {
 public:
  std::int32_t ShowBox(TextView, const BoxText&, std::int32_t) override { return 0; }
  void SetProgress(std::int32_t) override {}
  void PumpEvents() override {}
  bool WindowOpen() override { return true; }
  bool Attended() override { return false; }
};

}  // namespace pelmora
