#include "app/main_window.h"

#include "app/build_settings.h"
#include "app/exit_codes.h"
#include "app/messages.h"
#include "app/system_menu_commands.h"
#include "app/workflow_ui.h"
#include "runtime/window/dialogs.h"

namespace pelmora {
namespace {

// The handlers are plain routines the engine calls; they reach the runs
// through this, for as long as the window runs.
Runs* g_window_runs = nullptr;

void StartFromWindow(RunKind kind) {
  if (g_window_runs == nullptr) return;
  MainWindowUi ui;
  // The window's runs end the program with 0 whatever they found: the
  // user has read every box.
  static_cast<void>(g_window_runs->Start(kind, ui));
}

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
  StartFromWindow(RunKind::kEmbed);
  return HandlerResult::None();
}

HandlerResult OnRemovePanelChosen(const std::int32_t*, int) {
  StartFromWindow(RunKind::kRemove);
  return HandlerResult::None();
}

HandlerResult OnCheckPanelChosen(const std::int32_t*, int) {
  StartFromWindow(RunKind::kCheck);
  return HandlerResult::None();
}

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

}  // namespace

const std::array<EventHandler, kMainWindowHandlerCount>& MainWindowHandlers() { return kHandlers; }

int RunMainWindow(Runs& runs) {
  g_window_runs = &runs;
  int code = -1;
  // A window that cannot be built is reported (and ends the program) inside.
  if (LoadStartWindow(kMainWindowId)) {
    // Not examined: a window closed from its Created event takes no items,
    // and nothing is lost.
    static_cast<void>(AddSystemMenuCommand(kMainWindowId, kRemovePanelCommand,
                                           messages::kRemoveMenuItem, OnRemovePanelChosen));
    static_cast<void>(AddSystemMenuCommand(kMainWindowId, kCheckPanelCommand,
                                           messages::kCheckMenuItem, OnCheckPanelChosen));
    RunMessageLoop();
    code = kExitDone;
  }
  g_window_runs = nullptr;
  return code;
}

}  // namespace pelmora
