// A visible unit at a rectangle, for tests that build small forms of
// their own (on the host against the fakes, and under Wine).
#pragma once

#include <cstdint>

#include "runtime/window/form_description.h"

namespace pelmora::testing {

inline UnitRecord VisibleUnit(std::int32_t id, UnitKind kind, int left, int top, int width,
                              int height) {
  UnitRecord unit;
  unit.id = id;
  unit.kind = kind;
  unit.left = left;
  unit.top = top;
  unit.width = width;
  unit.height = height;
  unit.flags = kFlagVisible;
  unit.has_kind_data = true;
  return unit;
}

}  // namespace pelmora::testing
