// The carried installer as found in a given module's resources, so that the
// Windows tests can look inside pelmora.exe loaded as a data file.
#pragma once

#include <windows.h>

#include "runtime/text/values.h"

namespace pelmora {

// The PELMORA_VBA_PAYLOAD resource of `module`, pointing straight into the
// mapped resource; an empty view when the module has none or its header
// does not fit the resource.
ByteSetView VbaInstallerPayloadIn(HMODULE module);

}  // namespace pelmora
