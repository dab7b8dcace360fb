// The runtime's one-time start-up, before anything else the program does.
#pragma once

#include <cstddef>

#include "runtime/window/window_engine.h"

namespace pelmora {

// Runs once, first thing: hardening of the library search, heap, the run
// directory as current folder, the hidden owner window, the constant
// block, the form descriptions from the resources and the handler binding.
// A form's handler reference k names handlers[k].
void InitializeRuntime(const EventHandler* handlers, std::size_t handler_count);

}  // namespace pelmora
