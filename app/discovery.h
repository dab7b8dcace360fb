// The first stage of the embedding: finding MathType 7 and WPS Office among
// the installed software, with the boxes and progress the scan shows.
#pragma once

#include <optional>

#include "app/workflow_paths.h"
#include "app/workflow_run.h"
#include "runtime/text/values.h"

namespace pelmora {

// What this run found of MathType 7. The workflow paths may still hold an
// earlier run's MathType, so only this says whether there is one to copy.
struct MathTypeFound {
  // The folder of the last MathType 7 entry of this run; nothing when no
  // entry was recognised.
  std::optional<Text> folder;
  // Whether "你还没有安装MathType7" was shown already, so it is never shown
  // twice in one run.
  bool missing_shown = false;
};

struct Installations {
  MathTypeFound math_type;
  WpsFolders wps;
};

struct MachineListScan {
  MathTypeFound math_type;
  // The last WPS entry's folders, when an entry was WPS.
  std::optional<WpsFolders> wps;
};
// The machine-wide uninstall entries, with their boxes and the bar at 20
// and 40, recording what they give in `paths`. Nothing when the window was
// closed meanwhile.
std::optional<MachineListScan> ScanMachineUninstallList(WorkflowRun& run, WorkflowPaths& paths);

// The machine-wide scan, then, when no entry there was WPS, the other places
// WPS is looked for, in their one order. Records what it finds in `paths`.
// Nothing when the run ends here: WPS is nowhere (its box was shown) or the
// window was closed.
std::optional<Installations> FindMathTypeAndWps(WorkflowRun& run, WorkflowPaths& paths);

}  // namespace pelmora
