// The window engine as the program's own code sees it.
#pragma once

#include <cstdint>

namespace pelmora {

constexpr std::int32_t kMainWindowId = 0x52010001;

// Writes a unit property; for a ProcessBar, property 13 is Position
// (clamped to 0..32,767 and into the range). Element index -1 = the whole
// property. A window that is not open is a fatal report.
void WriteUnitProperty(std::int32_t window_id, std::int32_t unit_id, std::int32_t property,
                       std::int32_t element_index, std::int64_t value);

// Handles the messages waiting now, leaving a quit message in the queue.
void ProcessPendingEvents();

// True while the form window is built and not destroyed.
bool IsWindowOpen(std::int32_t window_id);

}  // namespace pelmora
