// The three panel files placed together or not at all. A template without
// its add-in makes WPS report a missing MathPage.WLL at every start, and a
// mix of an earlier embedding's copies and new ones is no better, so WPS's
// folders are only ever left with all three new copies or exactly as they
// were.
#pragma once

#include <cstdint>
#include <vector>

#include "app/held_folders.h"
#include "app/panel_model.h"
#include "runtime/text/values.h"

namespace pelmora {

struct PlacementFailure {
  Text path;
  // The system's code, or its folder's refusal (kErrorLeadsElsewhere for
  // one that leads elsewhere); 0 with `mismatch` when the placed copy read back
  // other bytes than its source.
  std::uint32_t error = 0;
  bool mismatch = false;
};

struct PlacementOutcome {
  // Each destination that could not be placed, in the panel's order.
  std::vector<PlacementFailure> not_placed;
  // Each destination that could not be put back as it was.
  std::vector<PlacementFailure> not_restored;
  // WPS's folders that lead elsewhere or cannot be held: then nothing is
  // written anywhere.
  std::vector<RefusedFolder> refused_folders;
  [[nodiscard]] bool placed() const { return not_placed.empty(); }
};

// Holds WPS's two folders for the whole placement, and does nothing at all
// when either is refused. Writes each new copy beside its destination
// as a new file, puts all three in place, reads each back against its
// source; when anything fails, puts every destination back as it was. Every destination is attempted before
// anything is undone. Staged and set-aside copies, this run's and those a
// killed run left, are gone afterwards, except a set-aside copy whose
// destination could not be restored.
[[nodiscard]] PlacementOutcome PlacePanelTogether(const MathTypePair& pair, const WpsFolders& wps);

}  // namespace pelmora
