// WPS's folders that a run writes, renames or deletes in, held open from
// before its first file operation to after its last. A standard user may be
// able to change them (a per-user WPS lives in the user's own profile) and
// the run is elevated: a folder that leads elsewhere is refused, and one
// that is held cannot be swapped for a link while the run works in it.
#pragma once

#include <vector>

#include "app/panel_model.h"
#include "runtime/system/files.h"
#include "runtime/text/values.h"

namespace pelmora {

class HeldWpsFolders {
 public:
  // office6, then office6\startup inside it. A folder that cannot be
  // opened (a missing one) is neither held nor refused: the file
  // operations in it fail with the system's own reason.
  void Hold(const WpsFolders& wps);

  // Whether `folder` (as held: no trailing backslash) leads elsewhere.
  [[nodiscard]] bool Refused(TextView folder) const;
  // Every refused folder, in the order held.
  [[nodiscard]] const std::vector<Text>& refused() const { return refused_; }

 private:
  void HoldOne(TextView folder);

  std::vector<HeldFolder> held_;
  std::vector<Text> refused_;
};

}  // namespace pelmora
