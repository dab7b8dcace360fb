// The copies of the panel's files that are in WPS now, found on disk by
// the names the embedding gives them.
#pragma once

#include <optional>
#include <vector>

#include "app/panel_model.h"
#include "runtime/text/values.h"

namespace pelmora {

// Full paths of the panel's files that exist now: first in WPS's current
// version folder (no trailing backslash), then in every other folder beside
// it that holds an office6 folder, since updates keep the old version
// folders and their copies. Only the three files the embedding places, by
// their exact names; nothing else is ever listed.
std::vector<Text> FindPlacedPanelFiles(TextView version_folder);

// The full path of one placed file in a version folder, spelled as the file
// system lists it; nothing when that folder does not hold it.
[[nodiscard]] std::optional<Text> PlacedPanelFile(TextView version_folder, const PanelFile& file);

// The folders beside WPS's current version folder that hold an office6
// folder, in listing order: the version folders an update left behind.
[[nodiscard]] std::vector<Text> OtherVersionFolders(TextView version_folder);

// Whether each of the three destinations holds its source's bytes.
[[nodiscard]] bool PanelInPlace(const MathTypePair& pair, const WpsFolders& wps);

// Deletes a copy and confirms it is gone: true only when it is.
[[nodiscard]] bool DeleteCopy(TextView path, std::uint32_t* error);

}  // namespace pelmora
