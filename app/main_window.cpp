#include "app/main_window.h"

#include <array>

#include "app/build_settings.h"
#include "app/command_line.h"
#include "app/command_runs.h"
#include "app/messages.h"
#include "app/panel_status.h"
#include "app/removal.h"
#include "app/system_menu_commands.h"
#include "app/workflow.h"
#include "app/workflow_ui.h"
#include "runtime/system/files_port.h"
#include "runtime/window/dialogs.h"

namespace pelmora {
namespace {

HandlerResult OnNoticeCreated(const std::int32_t*, int) {
  MainWindowUi().ShowBox(messages::kNotice.title, messages::kNotice.text, kBoxOk);
  return HandlerResult::None();
}

// Both links open on the press itself and return no value, so the label
// still gets its ordinary handling of the press.
HandlerResult OnStoreLinkPressed(const std::int32_t*, int) {
  OpenWebAddress(TextView(build_settings::kStoreAddress));
  return HandlerResult::None();
}

HandlerResult OnProductLinkPressed(const std::int32_t*, int) {
  OpenWebAddress(TextView(build_settings::kProductAddress));
  return HandlerResult::None();
}

HandlerResult OnStartClicked(const std::int32_t*, int) {
  // The window's runs end the program with 0 whatever they found: the
  // user has read every box.
  static_cast<void>(RunEmbeddingWorkflow(MainWindowUi()));
  return HandlerResult::None();
}

HandlerResult OnRemovePanelChosen(const std::int32_t*, int) {
  RemovePanelFromMenu();
  return HandlerResult::None();
}

HandlerResult OnCheckPanelChosen(const std::int32_t*, int) {
  CheckPanelStatusFromMenu();
  return HandlerResult::None();
}

// Each routine at its own handler's number, whatever the order of the list.
constexpr std::array<EventHandler, kMainWindowHandlerCount> HandlerTable() {
  std::array<EventHandler, kMainWindowHandlerCount> table{};
  table[kOnNoticeCreated] = OnNoticeCreated;
  table[kOnStoreLinkPressed] = OnStoreLinkPressed;
  table[kOnProductLinkPressed] = OnProductLinkPressed;
  table[kOnStartClicked] = OnStartClicked;
  return table;
}

constexpr bool EveryHandlerBound(const std::array<EventHandler, kMainWindowHandlerCount>& table) {
  for (EventHandler handler : table) {
    if (handler == nullptr) return false;
  }
  return true;
}

constexpr std::array<EventHandler, kMainWindowHandlerCount> kHandlers = HandlerTable();
static_assert(EveryHandlerBound(kHandlers), "a handler number without its routine");

// The window: the notice, the button, the system menu's items; 0 once it
// closed.
int RunWindow() {
  // A window that cannot be built is reported (and ends the program) inside.
  if (!LoadStartWindow(kMainWindowId)) return -1;
  // Not examined: a window closed from its Created event takes no items,
  // and nothing is lost.
  static_cast<void>(AddSystemMenuCommand(kMainWindowId, kRemovePanelCommand,
                                         messages::kRemoveMenuItem, OnRemovePanelChosen));
  static_cast<void>(AddSystemMenuCommand(kMainWindowId, kCheckPanelCommand,
                                         messages::kCheckMenuItem, OnCheckPanelChosen));
  RunMessageLoop();
  return kExitDone;
}

}  // namespace

int ProgramStart(TextView arguments) {
  const CommandLine line = ReadCommandLine(arguments);
  // A log named without a folder lies in the folder the program was
  // started from, which start-up replaces with the program's own.
  const std::string log_path = line.log_file.empty() ? std::string()
                                                     : port::FullPathName(line.log_file.c_str());
  InitializeRuntime(kHandlers.data(), kHandlers.size());
  return RunAsAsked(line, log_path, arguments, RunWindow);
}

}  // namespace pelmora
