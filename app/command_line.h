// What the program's command line asks for.
#pragma once

#include "runtime/values.h"

namespace pelmora {

// True when one of the arguments (the command line after the program's
// name) is /remove or -remove, in any case. Arguments are separated by
// blanks; double quotes group and are dropped. Every other argument is
// ignored.
bool AsksForPanelRemoval(TextView arguments);

}  // namespace pelmora
