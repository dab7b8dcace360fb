#include "app/workflow_ui.h"

#include "app/main_window_form.h"
#include "runtime/window/dialogs.h"
#include "runtime/window/window_engine.h"

namespace pelmora {
namespace {

class MainWindowWorkflowUi final : public WorkflowUi {
 public:
  std::int32_t ShowBox(TextView title, const BoxText& text, std::int32_t style) override {
    return ShowBoxText(text, style, title);
  }
  void SetProgress(std::int32_t percent) override {
    WriteUnitProperty(kMainWindowId, kProgressBarUnit, kBarPosition, kWholeProperty, percent);
  }
  void PumpEvents() override { ProcessPendingEvents(); }
  bool WindowOpen() override { return IsWindowOpen(kMainWindowId); }
};

class WindowlessWorkflowUi final : public WorkflowUi {
 public:
  std::int32_t ShowBox(TextView title, const BoxText& text, std::int32_t style) override {
    return ShowBoxText(text, style, title);
  }
  void SetProgress(std::int32_t) override {}
  void PumpEvents() override {}
  bool WindowOpen() override { return true; }
};

class UnattendedWorkflowUi final : public WorkflowUi {
 public:
  std::int32_t ShowBox(TextView, const BoxText&, std::int32_t) override { return 0; }
  void SetProgress(std::int32_t) override {}
  void PumpEvents() override {}
  bool WindowOpen() override { return true; }
  bool Attended() override { return false; }
};

}  // namespace

WorkflowUi& UnattendedUi() {
  static UnattendedWorkflowUi ui;
  return ui;
}

WorkflowUi& WindowlessUi() {
  static WindowlessWorkflowUi ui;
  return ui;
}

WorkflowUi& MainWindowUi() {
  static MainWindowWorkflowUi ui;
  return ui;
}

}  // namespace pelmora
