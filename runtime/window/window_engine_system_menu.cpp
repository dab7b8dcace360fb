// Items the program adds to a window's system menu, and the delivery of
// their commands to its handlers.
#include <vector>

#include "runtime/window/window_engine.h"
#include "runtime/window/window_engine_internal.h"
#include "runtime/window/window_port.h"

namespace pelmora {
namespace {

struct SystemMenuCommand {
  std::int32_t window_id;
  port::NativeWindow window;  // the window whose menu holds the item
  std::uint32_t command_id;
  EventHandler handler;
};

std::vector<SystemMenuCommand>& Commands() {
  static std::vector<SystemMenuCommand> commands;
  return commands;
}

}  // namespace

bool AddSystemMenuCommand(std::int32_t window_id, std::uint32_t command_id,
                          const char* gbk_caption, EventHandler handler) {
  const port::NativeWindow window = NativeHandleOfWindow(window_id);
  if (window == 0 || handler == nullptr) return false;
  if (!port::AppendSystemMenuItem(window, command_id, gbk_caption)) return false;
  Commands().push_back({window_id, window, command_id, handler});
  return true;
}

namespace engine {

bool SystemCommandChosen(port::NativeWindow form, std::uint32_t command_id) {
  for (const SystemMenuCommand& command : Commands()) {
    // A window built anew has a fresh menu without the item: only the
    // window that got it counts.
    if (command.window != form || command.command_id != command_id ||
        NativeHandleOfWindow(command.window_id) != form) {
      continue;
    }
    // The item is the program's own even when its handler may not run now.
    if (EventSuppressionCount() < 1) command.handler(nullptr, 0);
    return true;
  }
  return false;
}

void ForgetSystemMenuCommands() { Commands().clear(); }

}  // namespace engine
}  // namespace pelmora
