// The first stage of the embedding: what the finder found, told to the
// user in the order the machine-wide list named it, with the bar at 20 and
// 40 as each product turns up.
#pragma once

#include <optional>

#include "app/finder.h"
#include "app/panel_model.h"
#include "app/run_context.h"
#include "runtime/text/values.h"

namespace pelmora {

struct Installations {
  // The folder of the last MathType 7 entry, ending in a backslash; nothing
  // when no entry was MathType 7.
  std::optional<Text> math_type_folder;
  // Whether "你还没有安装MathType7" was shown already, so it is never shown
  // twice in one run.
  bool math_type_missing_shown = false;
  WpsFolders wps;
};

// Nothing when the run ends here: WPS is nowhere (its box was shown) or the
// window was closed.
[[nodiscard]] std::optional<Installations> TellInstallations(RunContext& run, Findings found);

}  // namespace pelmora
