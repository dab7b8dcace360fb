// The middle stages of the embedding: choosing MathType's pair for WPS's
// bitness, and copying it into WPS's folders.
#pragma once

#include <optional>

#include "app/discovery.h"
#include "app/panel_model.h"
#include "app/workflow_run.h"

namespace pelmora {

// The pair WPS can load: MathType's 64-bit one for a 64-bit wps.exe, else
// the 32-bit one. Nothing when the run ends here: the window was closed, no
// MathType 7 was recognised in this run ("你还没有安装MathType7", unless the
// scan showed it already), or MathType lacks a 64-bit file (the box a
// missing 32-bit one gives).
std::optional<MathTypePair> ChoosePairForWps(WorkflowRun& run, const Installations& found);

// The bitness of the pair ChoosePairForWps takes for this WPS, without its
// boxes: 64-bit for a 64-bit wps.exe, else (a wps.exe that cannot be
// examined too) 32-bit.
[[nodiscard]] ProgramBitness PairBitnessForWps(const WpsFolders& wps);

// Copies the template and the add-in into WPS's folders, every copy tried;
// then the bar goes to 80. False when the run ends here: the window was
// closed, or copies failed ("复制文件失败" names each with the system's
// reason).
bool PlaceComponents(WorkflowRun& run, const MathTypePair& pair, const WpsFolders& wps);

}  // namespace pelmora
