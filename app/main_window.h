// The program's start routine and the handlers of its one window.
#pragma once

#include <cstddef>

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

// Start-up, the window, the message loop; returns 0 once the window closed.
int ProgramStart();

// The exit routine: releases the workflow's global paths.
void ReleaseGlobals();

}  // namespace pelmora
