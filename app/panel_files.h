// The files of the MathType panel that the embedding leaves in WPS.
#pragma once

#include <vector>

#include "runtime/values.h"

namespace pelmora {

// Full paths of the panel's files that exist now: first in WPS's current
// version folder (no trailing backslash), then in every other folder beside
// it that holds an office6 folder, since updates keep the old version
// folders and their copies. Only the three files the embedding places, by
// their exact names; nothing else is ever listed.
std::vector<Text> FindPlacedPanelFiles(TextView version_folder);

}  // namespace pelmora
