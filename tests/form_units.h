// Units for tests: the main window as the build compiles it from its form
// source, whose ids and rectangles tests take instead of copying them, and
// units of the small forms tests build (on the host and under Wine).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <type_traits>

#include "app/main_window_form.h"
#include "runtime/window/display_scale.h"
#include "runtime/window/form_description.h"
#include "whole_file.h"

namespace pelmora::testing {

// Without the compiled form no test of it can run, so its absence stops them.
inline const WindowRecord& MainWindow() {
  static const FormDescription form = [] {
    const std::string bytes = WholeFile(PELMORA_FORM_BINARY).value_or("");
    FormDescription read;
    if (!ReadFormDescription(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                             &read) ||
        read.windows.size() != 1) {
      std::fprintf(stderr, "no main window in %s\n", PELMORA_FORM_BINARY);
      std::abort();
    }
    return read;
  }();
  return form.windows[0];
}

// The unit with that id, or the first of that kind in table order.
template <typename Key>
const UnitRecord& MainWindowUnit(Key key) {
  for (const UnitRecord& unit : MainWindow().units) {
    if constexpr (std::is_same_v<Key, UnitKind>) {
      if (unit.kind == key) return unit;
    } else if (unit.id == key) {
      return unit;
    }
  }
  std::fprintf(stderr, "the main window has no such unit\n");
  std::abort();
}

inline scale::Rect RectOf(const UnitRecord& unit) {
  return {unit.left, unit.top, unit.width, unit.height};
}

// A unit of a test's own form with the id, kind and place of a unit of
// the main window, visible, and nothing else of it.
inline UnitRecord VisibleUnitLike(const UnitRecord& stored) {
  UnitRecord unit;
  unit.id = stored.id;
  unit.kind = stored.kind;
  unit.left = stored.left;
  unit.top = stored.top;
  unit.width = stored.width;
  unit.height = stored.height;
  unit.flags = kFlagVisible;
  unit.has_kind_data = true;
  return unit;
}

}  // namespace pelmora::testing
