// The program's start routine and the handlers of its one window.
#pragma once

#include "app/main_window_form.h"
#include "runtime/text/values.h"
#include "runtime/window/window_engine.h"

namespace pelmora {

// Start-up, then what the command line (`arguments`, after the program's
// name) asks for: the window with its system menu items and the message
// loop, 0 once the window closed; or the removal, the check, the usage or,
// with /quiet, the embedding alone. Returns the exit code of app/exit_codes.h.
int ProgramStart(TextView arguments);

}  // namespace pelmora
