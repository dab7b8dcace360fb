// The system's message table.
#pragma once

#include <cstdint>

#include "runtime/text/values.h"

namespace pelmora::port {

// The system's message for the code as GBK text, untrimmed; empty when the
// system has none.
[[nodiscard]] Text SystemErrorMessage(std::uint32_t code);

}  // namespace pelmora::port
