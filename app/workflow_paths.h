// What the stages of the embedding hand on to each other, and the paths the
// program keeps from run to run. MathType's files and WPS's folders are each
// derived in one place here, so every route to them ends in the same paths.
#pragma once

#include "runtime/system/bitness.h"
#include "runtime/text/values.h"

namespace pelmora {

// MathType's template and add-in of one bitness.
struct MathTypePair {
  Text template_file;  // ...\MathType Commands 2016.dotm
  Text add_in;         // ...\MathPage.wll
};

// WPS's folders below one version folder.
struct WpsFolders {
  // No trailing backslash: whether WPS still runs is judged from the folder
  // above it.
  Text version;
  Text startup;  // WpsStartupFolder, no trailing backslash
  Text office6;  // WpsOffice6Folder, no trailing backslash
};

// The workflow paths. The program holds one of these for its whole life and
// releases it at exit; a run overwrites what it finds and leaves the rest as
// an earlier run left it, so only the run's own findings may be acted on.
struct WorkflowPaths {
  // MathType's folder, ending in a backslash: both pairs lie below it.
  Text math_type_folder;
  MathTypePair math_type;  // MathTypeTemplatePath, MathTypeAddInPath (32-bit)
  WpsFolders wps;
};

// The pair below MathType's folder (ending in a backslash) that a WPS of
// the given bitness loads; anything but 64-bit takes the 32-bit pair.
[[nodiscard]] MathTypePair MathTypePairFor(TextView math_type_folder, ProgramBitness bitness);

// WPS's folders below `folder`, the version folder followed by its
// backslash. An uninstall entry gives the folder in that form; the other
// places give the bare version folder, and callers add the backslash.
[[nodiscard]] WpsFolders WpsFoldersBelow(TextView folder);
// The same for a version folder without its trailing backslash.
[[nodiscard]] WpsFolders WpsFoldersOfVersion(TextView version_folder);

}  // namespace pelmora
