// Taking the MathType panel out of WPS again: the files the embedding
// placed are found where the embedding would place them, listed in a
// question, deleted once the user agrees, and every one that stays is
// named with the system's reason.
#pragma once

#include "app/finder.h"
#include "app/run_context.h"
#include "app/run_outcome.h"

namespace pelmora {

// Unattended, without a question and without waiting for WPS. Nothing of
// the window changes but the boxes: the progress bar keeps its position.
// Done also when WPS holds none of the files; not done after No (or
// Cancel while WPS was open).
[[nodiscard]] RunOutcome RemovePanel(RunContext& run, const Findings& found);

// The same in every WPS found, with one question for all their files. A
// WPS that runs is not waited for: its files stay, and the closing box
// names it.
[[nodiscard]] RunOutcome RemoveFromEveryWps(RunContext& run, const EveryWps& every);

}  // namespace pelmora
