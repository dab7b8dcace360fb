// Host stand-in for the platform's windows and message queue. Windows are
// records; the queue holds input the tests post, and pumping it runs the
// engine's pre-translation as the real pump does.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "runtime/window/form_description.h"
#include "runtime/window/window_port.h"

namespace pelmora::fake {

struct FakeWindow {
  UnitKind kind = UnitKind::kWindow;
  bool form = false;
  bool hidden_owner = false;
  port::NativeWindow parent = 0;
  port::NativeWindow owner = 0;
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  std::int32_t control_id = 0;
  bool visible = false;
  bool destroyed = false;
  std::int32_t range_low = 0, range_high = 100, position = 0;
  std::int32_t frame = -1;
  // The system menu's own entries after the standard ones, in order:
  // 0 for a separator, else the command with its caption (GBK).
  std::vector<std::pair<std::uint32_t, std::string>> system_menu_additions;
  int z = 0;  // lower is higher in the stacking order among siblings
  // The DPI its fonts (and, for a form, its icons) were last made for; 0
  // before any.
  std::int32_t font_dpi = 0;
};

struct FakeMessage {
  enum class Kind { kInput, kClick, kSystemCommand, kQuit, kOther } kind = Kind::kOther;
  engine::InputMessage input;
  port::NativeWindow target = 0;
  int quit_code = 0;
  std::uint32_t command = 0;  // kSystemCommand
};

class FakeWindows {
 public:
  std::map<port::NativeWindow, FakeWindow> windows;
  std::deque<FakeMessage> queue;
  // Messages that went past pre-translation to their window.
  std::vector<FakeMessage> dispatched;
  std::int32_t screen_width = 1024, screen_height = 768;
  // The DPI of the display the form window is created on.
  std::int32_t dpi = 96;
  // The form's frame at 96 DPI; at other DPIs its sides scale and the
  // caption grows by `caption_growth_per_96_dpi`, as a real caption does
  // not keep the factor.
  scale::Frame frame_96 = {3, 22, 3, 3};
  std::int32_t caption_growth_per_96_dpi = 6;
  // Creation of the n-th unit control (0-based) fails when >= 0.
  int fail_unit_creation_at = -1;
  int units_created = 0;
  bool on_main_thread = true;
  // (hidden owner, exit code) of each shutdown asked for from another thread.
  std::vector<std::pair<port::NativeWindow, int>> shutdown_requests;
  int closes = 0;
  int focus_moves = 0;
  // Appending to a system menu fails when set.
  bool refuse_system_menu_items = false;

  port::NativeWindow FormWindow() const;
  // The live control with this control id, 0 if none.
  port::NativeWindow Control(std::int32_t control_id) const;
  void PostInput(const engine::InputMessage& input);
  void PostClick(port::NativeWindow button);
  void PostOther(port::NativeWindow target);
  // A system menu item chosen on the form window, whichever it is by then.
  void PostSystemCommand(std::uint32_t command);
  [[nodiscard]] bool HasSystemMenuItem(std::uint32_t command) const;
  void Destroy(port::NativeWindow window);
  void Clear();
};
FakeWindows& Windows();

}  // namespace pelmora::fake
