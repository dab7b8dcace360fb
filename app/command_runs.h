// What the command line asks for, run: the usage, a refused line, the log
// opened, then the window, the removal, the check or the unattended
// embedding, with the exit code each ends with.
#pragma once

#include <string>

#include "app/command_line.h"
#include "runtime/text/values.h"

namespace pelmora {

// `log_path` is the log file made whole before start-up changed the
// current folder; `arguments` the command line as given, for the log;
// `run_window` shows the window until it is closed.
int RunAsAsked(const CommandLine& line, const std::string& log_path, TextView arguments,
               int (*run_window)());

}  // namespace pelmora
