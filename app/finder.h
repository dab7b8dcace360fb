// Where MathType 7 and WPS are, found in one pass that shows nothing: the
// machine-wide uninstall list is walked once and what it named is kept in
// listing order; when it named no WPS, the other places follow in their
// one order. Every run finds through this once, at its start; the
// embedding then tells the user from the result.
#pragma once

#include <optional>
#include <vector>

#include "app/run_context.h"
#include "app/uninstall_entries.h"
#include "app/wps_places.h"
#include "runtime/text/values.h"

namespace pelmora {

struct Findings {
  std::vector<ListFinding> machine_list;
  // The last WPS entry of the machine-wide list, else the first other
  // place that named WPS; nothing when WPS is nowhere.
  std::optional<WpsLocation> wps;
  WpsAbsence wps_absence = WpsAbsence::kNoShortcut;  // when WPS is nowhere

  // The folder of the machine-wide list's last MathType 7 entry, ending in
  // a backslash: MathType is looked for nowhere else.
  [[nodiscard]] std::optional<Text> MathTypeFolder() const;
};

// Nothing when the window was closed meanwhile.
[[nodiscard]] std::optional<Findings> FindInstallations(ScanContext& scan);

// Every WPS on the machine, whoever installed it, for a run over all
// accounts: the machine-wide list's last WPS, the machine's other places
// (app/wps_places.h), then each account's own WPS through its hive, which
// is unloaded again before the next account is looked at.
struct EveryWps {
  std::vector<ListFinding> machine_list;
  // Each version folder once (letter case aside), in the order first found.
  std::vector<WpsLocation> wps;

  [[nodiscard]] std::optional<Text> MathTypeFolder() const;
};

// Nothing when the window was closed meanwhile.
[[nodiscard]] std::optional<EveryWps> FindEveryWps(ScanContext& scan);

}  // namespace pelmora
