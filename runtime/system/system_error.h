// The system's own words for an error code, for the boxes that must say why
// something failed.
#pragma once

#include <cstdint>

#include "runtime/text/values.h"

namespace pelmora {

// GBK text from the system's message table (no trailing line break), or
// "错误代码 N" when it has none. A failure that came without a code (0)
// gets a plain "unknown" reason, never the system's text for success.
[[nodiscard]] Text DescribeSystemError(std::uint32_t code);

}  // namespace pelmora
