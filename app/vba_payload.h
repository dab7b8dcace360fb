// The VBA installer that the program carries and writes out as vba.exe.
#pragma once

#include "runtime/text/values.h"

namespace pelmora {

// The carried installer as a byte set {1, count, bytes}. The view points
// straight into the program's read-only data: it is never copied, released
// or modified, and stays valid for the life of the process. An empty view
// (null block) only if the executable lost its resource.
ByteSetView VbaInstallerPayload();

}  // namespace pelmora
