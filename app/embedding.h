// The embedding: what was found told to the user, MathType's pair for
// WPS's bitness, WPS closed, the three files placed, then the VBA step.
#pragma once

#include "app/finder.h"
#include "app/run_context.h"
#include "app/run_outcome.h"

namespace pelmora {

// Unattended, a panel already in place is left alone, WPS is not waited
// for and the VBA step, which needs a person, is left out. Every stage
// that ends the run has shown its box (or the window was closed) first.
[[nodiscard]] RunOutcome EmbedPanel(RunContext& run, Findings found);

// Unattended, into every WPS found, each with the pair of its own bitness,
// in order; one that runs is left alone, not waited for. The worst of
// their outcomes.
[[nodiscard]] RunOutcome EmbedIntoEveryWps(RunContext& run, const EveryWps& every);

}  // namespace pelmora
