#include "app/workflow_ui.h"

#include "app/main_window_form.h"
#include "runtime/window/dialogs.h"
#include "runtime/window/window_engine.h"

namespace pelmora {

std::int32_t MainWindowUi::ShowBox(TextView title, const BoxText& text, std::int32_t style) {
  return ShowBoxText(text, style, title);
}

void MainWindowUi::SetProgress(std::int32_t percent) {
  WriteUnitProperty(kMainWindowId, kProgressBarUnit, kBarPosition, kWholeProperty, percent);
}

void MainWindowUi::PumpEvents() { ProcessPendingEvents(); }

bool MainWindowUi::WindowOpen() { return IsWindowOpen(kMainWindowId); }

std::int32_t WindowlessUi::ShowBox(TextView title, const BoxText& text, std::int32_t style) {
  return ShowBoxText(text, style, title);
}

}  // namespace pelmora
