// What the program's command line asks for.
#pragma once

#include "runtime/text/values.h"

namespace pelmora {

enum class RequestedRun {
  kWindow,       // the window, as always
  kRemovePanel,  // /remove or -remove
  kCheckPanel,   // /check or -check
};

// What the arguments (the command line after the program's name) ask for:
// the first of the switches above among them, in any case. Arguments are
// separated by blanks; double quotes group and are dropped. Every other
// argument is ignored.
[[nodiscard]] RequestedRun RunAskedFor(TextView arguments);

}  // namespace pelmora
