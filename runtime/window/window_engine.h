// The window engine as the program's own code sees it: start-up, the start
// window, event delivery to the program's handlers, unit properties, the
// message loop and shutdown.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pelmora {

// What a handler gave back: LeftButtonDown handlers decide with a value of 0
// that the press is consumed; returning no value lets it through.
struct HandlerResult {
  bool has_value = false;
  std::int32_t value = 0;
  static HandlerResult None() { return {}; }
  static HandlerResult Value(std::int32_t v) { return {true, v}; }
};

// A program routine bound to (unit, event number). Arguments arrive as
// 32-bit values in declaration order.
using EventHandler = HandlerResult (*)(const std::int32_t* arguments, int count);
// Builds and shows the window; a window that cannot be built is the fatal
// report "载入启动窗口失败". Returns true when the window is built.
[[nodiscard]] bool LoadStartWindow(std::int32_t window_id);

// Pumps messages (idle work between them) until the quit message.
void RunMessageLoop();

// A ProcessBar's own properties, numbered after the common ones (0..7).
enum ProcessBarProperty : std::int32_t {
  kBarBorderStyle = 8,
  kBarVertical = 9,
  kBarSmooth = 10,
  kBarMinimum = 11,
  kBarMaximum = 12,
  kBarPosition = 13,  // clamped to 0..32,767 and into the range
};
// The element index that addresses a property as a whole.
constexpr std::int32_t kWholeProperty = -1;

// Writes a unit property. A window that is not open is a fatal report.
void WriteUnitProperty(std::int32_t window_id, std::int32_t unit_id, std::int32_t property,
                       std::int32_t element_index, std::int64_t value);

// Handles the messages waiting now, leaving a quit message in the queue.
void ProcessPendingEvents();

// True while the form window is built and not destroyed.
[[nodiscard]] bool IsWindowOpen(std::int32_t window_id);

// The open window's platform handle, 0 when it is not open.
[[nodiscard]] std::uintptr_t NativeHandleOfWindow(std::int32_t window_id);

// Appends a separator and then an item to the open window's system menu;
// choosing the item runs `handler` (without arguments) unless events are
// suppressed. The platform keeps the low four bits of a system command for
// itself, so `command_id` has them clear and stays below 0xF000. False
// when the window is not open or the menu took no item.
[[nodiscard]] bool AddSystemMenuCommand(std::int32_t window_id, std::uint32_t command_id,
                                        const char* gbk_caption, EventHandler handler);

// Runs the exit routines once each, in order, and releases the runtime.
void Shutdown(int exit_code);
// Shutdown, then the process ends with the code.
[[noreturn]] void ExitProgram(int exit_code);

}  // namespace pelmora
