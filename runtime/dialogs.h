// Message boxes, program launch and web links.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/values.h"

namespace pelmora {

// Box with a text content. Style is the platform's message-box style word
// (0 = OK only, 1 = OK and Cancel, ...); task modal is added unless system
// modal is given. An omitted title shows "信息：". Returns the 0-based button
// number: OK 0, Cancel 1, Abort 2, Retry 3, Ignore 4, Yes 5, No 6, else 0.
std::int32_t ShowMessageBox(TextView content, std::int32_t style,
                            std::optional<TextView> title = std::nullopt);

// Starts a command line as given. Without wait, waits at most 1000 ms for
// the program to become idle. Show mode 1..6 (clamped), omitted = 2.
// `error` receives the system's code when the process cannot be created.
bool RunProgram(TextView command_line, bool wait = false,
                std::optional<std::int32_t> show_mode = std::nullopt,
                std::uint32_t* error = nullptr);

// The shell's "open" verb on the address; silent on failure.
void OpenWebAddress(std::optional<TextView> address = std::nullopt);

}  // namespace pelmora
