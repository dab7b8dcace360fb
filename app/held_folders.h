// WPS's folders that a run writes, renames or deletes in, held open from
// before its first file operation to after its last. A standard user may be
// able to change them (a per-user WPS lives in the user's own profile) and
// the run is elevated: a folder that cannot be held (missing, held open
// against us, or leading elsewhere) is refused, since a link could take its
// place meanwhile, and one that is held cannot be swapped for a link while
// the run works in it.
#pragma once

#include <cstdint>
#include <vector>

#include "app/panel_model.h"
#include "runtime/system/files.h"
#include "runtime/text/values.h"

namespace pelmora {

struct RefusedFolder {
  Text folder;  // as asked for: no trailing backslash
  // kErrorLeadsElsewhere, or the system's code of the open that failed.
  std::uint32_t error = 0;
};

class HeldWpsFolders {
 public:
  // office6, then office6\startup inside it; a folder already held or
  // refused is left as it is.
  void Hold(const WpsFolders& wps);

  // Why nothing may be done in `folder`; 0 when it is held.
  [[nodiscard]] std::uint32_t RefusalOf(TextView folder) const;
  // Every refused folder, in the order held.
  [[nodiscard]] const std::vector<RefusedFolder>& refused() const { return refused_; }

 private:
  void HoldOne(TextView folder);

  // Each folder's name as asked for, in the order held.
  std::vector<Text> held_names_;
  std::vector<HeldFolder> held_;
  std::vector<RefusedFolder> refused_;
};

}  // namespace pelmora
