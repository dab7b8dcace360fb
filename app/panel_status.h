// What Pelmora sees of the MathType panel, told in one box and changing
// nothing: for a user who wants to know why the panel is gone or does not
// work, and for the support group that user pastes the box into. Behind
// the system menu's "检查嵌入状态…" and `pelmora.exe /check`.
#pragma once

#include <array>
#include <iterator>
#include <optional>
#include <vector>

#include "app/panel_model.h"
#include "app/workflow_ui.h"
#include "app/wps_places.h"
#include "runtime/system/bitness.h"
#include "runtime/text/box_text.h"
#include "runtime/text/values.h"

namespace pelmora {

enum class PanelState {
  kEmbedded,        // all three copies are the pair's bytes
  kNotEmbedded,     // none of the three is there
  kNeedsEmbedding,  // any other mix
  kCannotCheck,     // no WPS, no MathType, or the pair for WPS incomplete
};

// One of the three destinations in WPS's current version folder.
struct PanelCopy {
  enum class State {
    kSame,       // the pair's bytes
    kDifferent,  // there, with other bytes (or unreadable)
    kMissing,
    kPresent,    // there, with no pair to compare it with
  };
  Text path;  // as the file system spells it when the file is there
  State state = State::kMissing;
};

struct WpsStatus {
  Text version_folder;  // no final backslash
  WpsPlace place = WpsPlace::kMachineList;
  ProgramBitness pair_bitness = ProgramBitness::k32Bit;
  bool running = false;
  std::array<PanelCopy, std::size(kPanelFiles)> copies;  // in kPanelFiles' order
  // The other version folders that hold any of the three files.
  std::vector<Text> folders_with_copies;
};

struct PanelStatus {
  std::optional<Text> math_type_folder;  // no final backslash
  std::optional<WpsStatus> wps;
  PanelState panel = PanelState::kCannotCheck;
};

// Looks without a box, without moving the bar, and without writing,
// deleting or starting anything: MathType and WPS as the finder finds them,
// MathType's pair for WPS's bitness as the embedding chooses it, the copies compared byte for byte with that pair,
// the other version folders' copies, and whether WPS runs (never waiting).
// Nothing when the window was closed meanwhile.
[[nodiscard]] std::optional<PanelStatus> LookAtPanel(WorkflowUi& window);

// The report's text, paths in the system's code page.
[[nodiscard]] BoxText StatusReport(const PanelStatus& status);

// One check: looks, then shows the report in "嵌入状态" (OK only; the
// information icon when the panel is embedded, the warning icon
// otherwise). Returns the panel's state; nothing when another run was in
// progress (nothing is done then) or the window was closed.
std::optional<PanelState> CheckPanelStatus(WorkflowUi& ui);

// From the main window's system menu.
void CheckPanelStatusFromMenu();

// For `pelmora.exe /check`: 0 when the panel is embedded, 1 otherwise.
[[nodiscard]] int StatusExitCode(std::optional<PanelState> state);

}  // namespace pelmora
