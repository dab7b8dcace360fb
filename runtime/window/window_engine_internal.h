// The engine's moving parts below the program's interface: event delivery,
// the suppression count and the loaded forms. The platform adapter and the
// tests reach the engine through these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/window/form_description.h"
#include "runtime/window/window_engine.h"

namespace pelmora::engine {

// Replaces the loaded forms and binds their handler references (-1 and
// references outside the table are no handler). Installs the fatal report's
// window lookup.
void LoadForms(FormDescription forms, const EventHandler* handlers, std::size_t handler_count);

// Forgets everything (forms, exit routines, counts, flags); for tests.
void ResetForTests();
// The system menu commands alone; ResetForTests calls it.
void ForgetSystemMenuCommands();

// The zero-size owner of windows kept out of the taskbar.
void SetHiddenOwner(std::uintptr_t window);

[[nodiscard]] int EventSuppressionCount();
void RaiseEventSuppression();
void LowerEventSuppression();
[[nodiscard]] bool InMessageLoop();

enum class FireStatus { kSuppressed, kNotBound, kHandled };
struct FireOutcome {
  FireStatus status = FireStatus::kNotBound;
  HandlerResult result;
};

// Delivers event `event_number` of unit `unit_id` (0 = the window itself)
// to its bound handler. Unknown windows, units and kinds are fatal reports.
FireOutcome FireEvent(std::int32_t window_id, std::int32_t unit_id, std::int32_t event_number,
                      const std::int32_t* arguments, int count);

// The unit whose handler runs now; both 0 outside handlers.
[[nodiscard]] std::int32_t CurrentEventWindow();
[[nodiscard]] std::int32_t CurrentEventUnit();

// Work that a unit wants done while the queue is empty, until its window
// is gone.
using IdleWork = void (*)(void* argument);
void RegisterIdleWork(std::uintptr_t window, IdleWork work, void* argument);

// The smaller and larger of two bounds, and a value clamped into them.
void ProgressRange(std::int32_t minimum, std::int32_t maximum, std::int32_t* low,
                   std::int32_t* high);
[[nodiscard]] std::int32_t ClampIntoRange(std::int32_t value, std::int32_t low, std::int32_t high);
// Integer halves of the screen left over by the window.
void CentredPosition(std::int32_t screen_width, std::int32_t screen_height, std::int32_t width,
                     std::int32_t height, std::int32_t* left, std::int32_t* top);

// The entry of an icon file to use at `pixels` (32 or 16): that size with
// at least 16 colours if the file has one, else its last entry.
[[nodiscard]] bool ChooseIconEntry(const std::string& icon_file, int pixels, std::size_t* offset,
                                   std::size_t* length);

}  // namespace pelmora::engine
