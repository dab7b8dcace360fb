// Whether certain programs are running from inside a folder.
#pragma once

#include <cstddef>

#include "runtime/text/values.h"

namespace pelmora {

// True when a running process whose executable is named one of
// `file_names` (ignoring case) was started from inside `folder`: its full
// image path begins with the folder and a backslash, ignoring case.
// Processes whose path cannot be read are passed over, and a process list
// that cannot be taken counts as no such process.
[[nodiscard]] bool ProgramRunsInside(TextView folder, const char* const* file_names,
                                     std::size_t count);

}  // namespace pelmora
