// The program's start routine: start-up, then what the command line asks
// for, ending with the exit code of app/exit_codes.h.
#pragma once

#include "runtime/text/values.h"

namespace pelmora {

// `arguments` is the command line after the program's name. The window
// (0 once it closed), or the removal, the check, the usage or, with
// /quiet, the embedding alone; a line that is not understood does
// nothing.
int ProgramStart(TextView arguments);

}  // namespace pelmora
