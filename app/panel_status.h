// What Pelmora sees of the MathType panel, told in one box and changing
// nothing: for a user who wants to know why the panel is gone or does not
// work, and for the support group that user pastes the box into. Behind
// the system menu's "检查嵌入状态…" and `pelmora.exe /check`.
#pragma once

#include <optional>

#include "app/finder.h"
#include "app/panel_inspection.h"
#include "app/run_context.h"
#include "app/run_outcome.h"
#include "app/wps_places.h"
#include "runtime/system/bitness.h"
#include "runtime/text/box_text.h"
#include "runtime/text/values.h"

namespace pelmora {

struct WpsStatus {
  Text version_folder;  // no final backslash
  BoxText place;        // the name of the place that named it
  ProgramBitness pair_bitness = ProgramBitness::k32Bit;
  bool running = false;
  PanelInspection panel;
};

struct PanelStatus {
  std::optional<WpsStatus> wps;
  PanelState panel = PanelState::kCannotCheck;
};

// Looks without a box, without moving the bar, and without writing,
// deleting or starting anything: MathType's pair for WPS's bitness as the
// embedding chooses it, the inspection of WPS's panel against it (no pair
// when MathType lacks a file of it), and whether WPS runs (never waiting).
[[nodiscard]] PanelStatus LookAtPanel(const Findings& found);

// Looks, logs the report and shows it in "嵌入状态" (OK only; the
// information icon when the panel is embedded, the warning icon
// otherwise). Done only when the panel is embedded.
[[nodiscard]] RunOutcome CheckPanel(RunContext& run, const Findings& found);

// The same report for every WPS found, one after the other; done only
// when each is embedded.
[[nodiscard]] RunOutcome CheckEveryWps(RunContext& run, const EveryWps& every);

}  // namespace pelmora
