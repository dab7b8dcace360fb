// Commands the program adds to its main window's system menu. The
// end-to-end driver sends them to the window as WM_SYSCOMMAND (it cannot
// reach another process's menu), so their numbers live here only.
#pragma once

#include <cstdint>

namespace pelmora {

// Below 0xF000, where the system's own commands start, and with the low
// four bits clear, which the system keeps for itself.
constexpr std::uint32_t kRemovePanelCommand = 0x0110;
constexpr std::uint32_t kCheckPanelCommand = 0x0120;

}  // namespace pelmora
