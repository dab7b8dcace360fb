// Where MathType 7 and WPS are, found in one pass that shows nothing: the
// machine-wide uninstall list is walked once and what it named is kept in
// listing order; when it named no WPS, the other places follow in their
// one order. The embedding tells the user from the result; the removal and
// the status check only use it.
#pragma once

#include <optional>
#include <vector>

#include "app/wps_places.h"
#include "app/workflow_run.h"
#include "runtime/text/values.h"

namespace pelmora {

// An entry of the machine-wide list whose display name named a product.
// One entry can name both, MathType first.
struct ListFinding {
  enum class Kind {
    kMathType7,            // MathType by its publisher
    kOtherMathType,        // "mathtype" from another publisher (MathType 6)
    kWps,                  // WPS by its publisher
    kOtherWps,             // "wps" from another publisher
  };
  Kind kind;
  Text display_name;
  // kMathType7: MathType's folder, ending in a backslash. kWps: the
  // entry's WPS folders. Empty otherwise.
  Text math_type_folder;
  WpsFolders wps;
};

struct Findings {
  std::vector<ListFinding> machine_list;
  // The last WPS entry of the machine-wide list, else the first other
  // place that named WPS; nothing when WPS is nowhere.
  std::optional<WpsLocation> wps;
  WpsAbsence wps_absence = WpsAbsence::kNoShortcut;  // when WPS is nowhere

  // The folder of the machine-wide list's last MathType 7 entry: MathType
  // is looked for nowhere else.
  [[nodiscard]] std::optional<Text> MathTypeFolder() const;
};

// Both steps; nothing when the window was closed meanwhile.
[[nodiscard]] std::optional<Findings> FindInstallations(WorkflowRun& run);

// The first step alone: what the machine-wide list named, in listing order.
[[nodiscard]] std::optional<std::vector<ListFinding>> ScanMachineList(WorkflowRun& run);

}  // namespace pelmora
