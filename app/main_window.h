// The program's one window: the handlers its form names, and the window
// run until it closes, with its system menu's items.
#pragma once

#include <array>

#include "app/main_window_form.h"
#include "app/runs.h"
#include "runtime/window/window_engine.h"

namespace pelmora {

// Each routine at its own handler's number, for start-up to bind.
[[nodiscard]] const std::array<EventHandler, kMainWindowHandlerCount>& MainWindowHandlers();

// Shows the window until it is closed; the button and the menu's items
// start their runs through `runs`. 0 once it closed, -1 when it could not
// be built (reported inside).
int RunMainWindow(Runs& runs);

}  // namespace pelmora
