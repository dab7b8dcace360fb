// What the dialog commands need from the platform. Handles are opaque
// numbers so the rules can run against a fake on the host.
#pragma once

#include <cstdint>

#include "runtime/text/box_text.h"
#include "runtime/window/show_commands.h"

namespace pelmora::port {

// The system's values the dialog rules use; the adapter checks each against
// the SDK when it is compiled.
constexpr std::uint32_t kBoxSystemModal = 0x1000;
constexpr std::uint32_t kBoxTaskModal = 0x2000;
// A box's result for its first button (OK); the other buttons' results
// follow in the order of BoxButton.
constexpr int kResultOk = 1;
constexpr int kResultNo = 7;

// Shows a modal box, each part of the text converted from its own code
// page (the title is GBK), and returns the platform's result, 0 when the
// box could not be shown.
[[nodiscard]] int ShowBox(std::uintptr_t owner, const BoxText& text, const char* gbk_title,
                          std::uint32_t style);

// Creates the process; waits for its end or for it to become idle (at most
// 1000 ms). With an application path the system starts exactly that file
// and searches nothing; without one it reads the program from the command
// line. `error` gets the system's code the moment creation fails.
[[nodiscard]] bool StartProcess(const char* application, const char* command_line,
                                int show_window, bool wait_for_end, std::uint32_t* error);

// The shell's "open" verb, owned by a window titled "Microsoft Internet
// Explorer" when one exists.
void OpenWithShell(const char* address);

}  // namespace pelmora::port
