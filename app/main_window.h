// The program's start routine and the handlers of its one window.
#pragma once

#include "app/main_window_form.h"
#include "runtime/window_engine.h"

namespace pelmora {

// Start-up, the window, the message loop; returns 0 once the window closed.
int ProgramStart();

// The exit routine: releases the workflow's global paths.
void ReleaseGlobals();

}  // namespace pelmora
