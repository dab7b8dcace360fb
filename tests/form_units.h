// Units for tests: the program's own main window as the build compiles it
// from its form source, so that tests take its ids and rectangles from
// there instead of copying them; and a visible unit at a rectangle, for
// tests that build small forms of their own (on the host against the
// fakes, and under Wine).
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/main_window_form.h"
#include "runtime/window/display_scale.h"
#include "runtime/window/form_description.h"
#include "tools/read_whole_file.h"

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

// Every test needs the compiled form: without it there is nothing to test.
inline const WindowRecord& MainWindow() {
  static const FormDescription form = [] {
    std::string bytes;
    FormDescription read;
    if (!tools::ReadWholeFile(PELMORA_FORM_BINARY, &bytes) ||
        !ReadFormDescription(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                             &read) ||
        read.windows.size() != 1) {
      std::fprintf(stderr, "no main window in %s\n", PELMORA_FORM_BINARY);
      std::abort();
    }
    return read;
  }();
  return form.windows[0];
}

template <typename Match>
const UnitRecord& MainWindowUnitWhere(Match match) {
  for (const UnitRecord& unit : MainWindow().units) {
    if (match(unit)) return unit;
  }
  std::fprintf(stderr, "the main window has no such unit\n");
  std::abort();
}

inline const UnitRecord& MainWindowUnit(std::int32_t id) {
  return MainWindowUnitWhere([id](const UnitRecord& u) { return u.id == id; });
}

// The window's own record, its button and its group box are each the only
// one of their kind.
inline const UnitRecord& MainWindowUnitOfKind(UnitKind kind) {
  return MainWindowUnitWhere([kind](const UnitRecord& u) { return u.kind == kind; });
}

inline const UnitRecord& MainWindowUnitBoundTo(MainWindowHandler handler) {
  return MainWindowUnitWhere([handler](const UnitRecord& u) {
    for (const EventBinding& binding : u.events) {
      if (binding.handler_reference == handler) return true;
    }
    return false;
  });
}

// The caption that names the progress, inside the group box.
inline const UnitRecord& MainWindowCaption() {
  return MainWindowUnit(MainWindowUnitOfKind(UnitKind::kGroupBox).children.at(0));
}

inline scale::Rect RectOf(const UnitRecord& unit) {
  return {unit.left, unit.top, unit.width, unit.height};
}

// A unit of a test's own form with the id, kind and place of the main
// window's unit, and nothing else of it.
inline UnitRecord VisibleUnitLike(const UnitRecord& unit) {
  return VisibleUnit(unit.id, unit.kind, unit.left, unit.top, unit.width, unit.height);
}

}  // namespace pelmora::testing
