// The first stage of the embedding: what the finder found, told to the
// user in the order the machine-wide list named it, with the bar at 20 and
// 40 as each product turns up.
#pragma once

#include <optional>

#include "app/panel_model.h"
#include "app/workflow_run.h"
#include "app/wps_places.h"
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
[[nodiscard]] std::optional<Installations> FindMathTypeAndWps(WorkflowRun& run);

// The box for a missing file of MathType's pair; false when one is
// missing.
[[nodiscard]] bool TellPairGap(WorkflowRun& run, const MathTypePair& pair);

// The box (and the log's lines) for a WPS found nowhere, for every run that
// needs WPS.
void ShowWpsAbsence(WorkflowRun& run, WpsAbsence absence);

}  // namespace pelmora
