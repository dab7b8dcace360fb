// The program's start routine and the handlers of its one window.
#pragma once

#include <cstddef>

#include "runtime/values.h"
#include "runtime/window_engine.h"

namespace pelmora {

// Handler references stored in the form description name these entries.
enum MainWindowHandler : int {
  kOnNoticeCreated = 0,
  kOnStoreLinkPressed = 1,
  kOnProductLinkPressed = 2,
  kOnStartClicked = 3,
  kMainWindowHandlerCount = 4,
};

// The table the runtime binds the form's handler references against.
const EventHandler* MainWindowHandlers();

// Start-up, the window with its system menu item, the message loop;
// returns 0 once the window closed. With /remove among the `arguments`
// (the command line after the program's name) the removal of the panel
// runs instead of the window, and its exit code is returned.
int ProgramStart(TextView arguments);

// The exit routine: releases the workflow's global paths.
void ReleaseGlobals();

}  // namespace pelmora
