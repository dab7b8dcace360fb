// The program's start routine and the handlers of its one window.
#pragma once

#include "app/main_window_form.h"
#include "runtime/text/values.h"
#include "runtime/window/window_engine.h"

namespace pelmora {

// Start-up, the window with its system menu item, the message loop;
// returns 0 once the window closed. With /remove or /check among the
// `arguments` (the command line after the program's name) the removal of
// the panel or its status report runs instead of the window, and its exit
// code is returned.
int ProgramStart(TextView arguments);

}  // namespace pelmora
