// The boxes more than one run shows, each with its log lines: WPS found
// nowhere, and a file of MathType's pair missing.
#pragma once

#include "app/panel_model.h"
#include "app/run_context.h"
#include "app/wps_places.h"

namespace pelmora {

// The advice depends on how the last place, the desktop, failed.
void ShowWpsAbsence(RunContext& run, WpsAbsence absence);

// The box for the missing file of the pair (the template's alone when both
// are missing); false when one is missing.
[[nodiscard]] bool TellPairGap(RunContext& run, const PairForWps& chosen);

}  // namespace pelmora
