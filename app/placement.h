// The embedding's middle stage: MathType's pair copied into WPS's folders,
// all three files or none.
#pragma once

#include "app/panel_model.h"
#include "app/run_context.h"

namespace pelmora {

// Places the template and the add-in into WPS's folders; then the bar goes
// to 80. False when the run ends here: the window was closed, or a copy
// could not be placed ("复制文件失败" names each with the system's reason,
// and any destination that could not be put back).
bool PlaceComponents(RunContext& run, const MathTypePair& pair, const WpsFolders& wps);

}  // namespace pelmora
