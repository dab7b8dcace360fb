// What of the panel a WPS holds now, looked at once and changing nothing:
// each copy in WPS's current version folder (against MathType's pair when
// there is one) and the copies in the version folders an update left
// behind. The quiet embedding's "already in place", the status report and
// the removal's list all come from one inspection.
#pragma once

#include <array>
#include <iterator>
#include <vector>

#include "app/panel_model.h"
#include "runtime/text/values.h"

namespace pelmora {

enum class PanelState {
  kEmbedded,        // all three copies are the pair's bytes
  kNotEmbedded,     // none of the three is there
  kNeedsEmbedding,  // any other mix
  kCannotCheck,     // there was no pair to compare with
};

// One of the three destinations in WPS's current version folder.
struct PanelCopy {
  enum class State {
    kSame,       // the pair's bytes
    kDifferent,  // there, with other bytes (or unreadable)
    kMissing,
    kPresent,    // there, with no pair to compare it with
  };
  Text path;  // as the file system spells it when the file is there
  State state = State::kMissing;
};

// A version folder beside the current one that holds copies.
struct OtherVersionCopies {
  Text version_folder;
  std::vector<Text> copies;  // full paths, in kPanelFiles' order
};

struct PanelInspection {
  std::array<PanelCopy, std::size(kPanelFiles)> copies;  // in kPanelFiles' order
  std::vector<OtherVersionCopies> other_versions;        // in listing order
  bool compared = false;                                  // a pair was given

  [[nodiscard]] PanelState State() const;
  // Every copy on disk, the current version folder's first: what the
  // removal deletes.
  [[nodiscard]] std::vector<Text> CopiesOnDisk() const;
};

// Only the three files the embedding places count, by their exact names
// (never through a short 8.3 name); paths are spelled as the file system
// lists them. `pair` may be null: then each copy is only there or not.
[[nodiscard]] PanelInspection InspectPanel(const WpsFolders& wps, const MathTypePair* pair);

}  // namespace pelmora
