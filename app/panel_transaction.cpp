#include "app/panel_transaction.h"

#include <algorithm>

#include "runtime/system/files.h"

namespace pelmora {
namespace {

struct Slot {
  Text folder;
  Text source;
  Text destination;
  Text staged;
  Text set_aside;
  bool had_earlier = false;
  bool swapped = false;
};

std::vector<Slot> SlotsFor(const MathTypePair& pair, const WpsFolders& wps) {
  std::vector<Slot> slots;
  for (const PanelFile& file : kPanelFiles) {
    Text destination = DestinationOf(wps, file);
    Text staged = StagedPathOf(destination);
    Text set_aside = SetAsidePathOf(destination);
    slots.push_back({Text::From(FolderOf(wps, file)), Text::From(SourceOf(pair, file)),
                     std::move(destination), std::move(staged), std::move(set_aside)});
  }
  return slots;
}

// The copies are made as new files, after the clean-up: whatever else is at
// their names (a file or a link someone planted) is never written through.
// Not examined: most of these do not exist, and one that stays is named
// when it matters (a set-aside copy whose destination was not restored).
void RemoveIfThere(TextView path) { static_cast<void>(RemoveFile(path)); }

bool Stage(std::vector<Slot>& slots, PlacementOutcome* outcome) {
  for (Slot& slot : slots) {
    std::uint32_t error = 0;
    if (!CopyFileToNew(slot.source, slot.staged, &error)) {
      outcome->not_placed.push_back({Text::From(slot.destination), error});
    }
  }
  return outcome->placed();
}

// The earlier copy is copied aside rather than renamed, so a destination
// that cannot be replaced (read-only, held open by WPS) fails here as a
// plain copy over it would, and is never left missing.
void Swap(std::vector<Slot>& slots, PlacementOutcome* outcome) {
  for (Slot& slot : slots) {
    std::uint32_t error = 0;
    slot.had_earlier = PathExists(slot.destination);
    if (slot.had_earlier && !CopyFileToNew(slot.destination, slot.set_aside, &error)) {
      outcome->not_placed.push_back({Text::From(slot.destination), error});
      continue;
    }
    if (!MoveFileOver(slot.staged, slot.destination, &error)) {
      outcome->not_placed.push_back({Text::From(slot.destination), error});
      continue;
    }
    slot.swapped = true;
  }
}

void Verify(const std::vector<Slot>& slots, PlacementOutcome* outcome) {
  for (const Slot& slot : slots) {
    if (slot.swapped && !SameFileContent(slot.source, slot.destination)) {
      outcome->not_placed.push_back({Text::From(slot.destination), 0, true});
    }
  }
}

void Restore(std::vector<Slot>& slots, PlacementOutcome* outcome) {
  for (Slot& slot : slots) {
    if (!slot.swapped) continue;
    std::uint32_t error = 0;
    const bool restored = slot.had_earlier ? MoveFileOver(slot.set_aside, slot.destination, &error)
                                           : RemoveFileForGood(slot.destination, &error);
    if (!restored) outcome->not_restored.push_back({Text::From(slot.destination), error});
  }
}

// Failures are reported in the panel's order, whichever step found them.
void SortByPanelOrder(const std::vector<Slot>& slots, std::vector<PlacementFailure>* failures) {
  std::vector<PlacementFailure> sorted;
  for (const Slot& slot : slots) {
    for (PlacementFailure& failure : *failures) {
      if (failure.path == slot.destination) sorted.push_back(std::move(failure));
    }
  }
  *failures = std::move(sorted);
}

}  // namespace

PlacementOutcome PlacePanelTogether(const MathTypePair& pair, const WpsFolders& wps) {
  std::vector<Slot> slots = SlotsFor(pair, wps);
  HeldWpsFolders folders;
  folders.Hold(wps);
  PlacementOutcome outcome;
  if (!folders.refused().empty()) {
    outcome.refused_folders = folders.refused();
    for (const Slot& slot : slots) {
      if (const std::uint32_t refusal = folders.RefusalOf(slot.folder)) {
        outcome.not_placed.push_back({Text::From(slot.destination), refusal});
      }
    }
    return outcome;
  }
  for (const Slot& slot : slots) {
    RemoveIfThere(slot.staged);
    RemoveIfThere(slot.set_aside);
  }
  if (Stage(slots, &outcome)) {
    Swap(slots, &outcome);
    Verify(slots, &outcome);
    if (!outcome.placed()) Restore(slots, &outcome);
  }
  SortByPanelOrder(slots, &outcome.not_placed);
  for (const Slot& slot : slots) {
    // A swapped copy's staged name is gone with the swap.
    if (!slot.swapped) RemoveIfThere(slot.staged);
    const bool kept_for_the_user =
        slot.had_earlier && std::any_of(outcome.not_restored.begin(), outcome.not_restored.end(),
                                        [&](const PlacementFailure& f) { return f.path == slot.destination; });
    if (!kept_for_the_user) RemoveIfThere(slot.set_aside);
  }
  return outcome;
}

}  // namespace pelmora
