// The folder of the program's own executable, recorded once at start-up.
#pragma once

#include "runtime/text/values.h"

namespace pelmora {

// Splits the executable's full path at its last backslash (a 0x5C that is
// the second byte of a double-byte character is not one). Without a
// backslash the folder is empty and the whole path is the file name.
void RecordRunDirectory(const char* executable_path);

// Without trailing backslash; "" before start-up or for a bare file name.
[[nodiscard]] const char* RunDirectoryBytes();
[[nodiscard]] const char* ExecutableFileName();

// A new copy of the run directory (null when empty).
[[nodiscard]] Text GetRunDirectory();

}  // namespace pelmora
