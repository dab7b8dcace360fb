// What the window engine needs from the platform's windowing. Windows are
// opaque numbers so the engine's rules run against a fake on the host.
#pragma once

#include <cstdint>

#include "runtime/window/display_scale.h"
#include "runtime/window/form_description.h"

namespace pelmora::port {

using NativeWindow = std::uintptr_t;

void PrimaryScreenSize(std::int32_t* width, std::int32_t* height);

// The form window, created hidden at the given outer rectangle with the
// frame, caption, boxes, icon and font its record asks for. `owner` is the
// hidden owner window when the window stays out of the taskbar. 0 on failure.
[[nodiscard]] NativeWindow CreateFormWindow(const UnitRecord& own, std::int32_t left,
                                            std::int32_t top, NativeWindow owner);
// A unit's control as a hidden child of the form at `rect` (pixels of the
// form's DPI). 0 on failure.
[[nodiscard]] NativeWindow CreateUnitControl(NativeWindow form, const UnitRecord& unit,
                                             std::int32_t control_id, const scale::Rect& rect);
void MoveIntoContainer(NativeWindow unit, NativeWindow container, std::int32_t left,
                       std::int32_t top);
// Puts the unit directly below `above`, or on top of its siblings when 0.
void PlaceBelow(NativeWindow unit, NativeWindow above);
void ShowUnit(NativeWindow unit, bool visible);
void ShowFormWindow(NativeWindow form, std::int32_t start_position);
void RestoreOrActivate(NativeWindow form);

// The DPI the window is drawn at: its monitor's where the system scales
// each monitor on its own, else the system's.
[[nodiscard]] std::int32_t WindowDpi(NativeWindow form);
// The form window's frame (borders and caption) for its styles at `dpi`.
[[nodiscard]] scale::Frame FormFrame(NativeWindow form, std::int32_t dpi);
// Moves and sizes the form window (outer rectangle, screen pixels).
void PlaceFormWindow(NativeWindow form, const scale::Rect& outer);
// Moves and sizes a unit inside its parent.
void PlaceUnit(NativeWindow unit, const scale::Rect& rect);
// Makes the message font, the units' own fonts and the window's icons for
// `dpi` and gives them to the window and every unit in it; a hidden window
// gets its icons when ShowFormWindow first shows it.
void UseDpi(NativeWindow form, std::int32_t dpi);
void DestroyNativeWindow(NativeWindow window);
[[nodiscard]] NativeWindow ParentOf(NativeWindow window);

void SetProgressRange(NativeWindow bar, std::int32_t low, std::int32_t high);
void SetProgressPosition(NativeWindow bar, std::int32_t position);
// Child frame 0..5 (none, client edge, raised, thin sunken, both, line).
void SetUnitFrame(NativeWindow unit, std::int32_t border_style);

void CloseFormWindow(NativeWindow form);
// A separator, then the item, at the end of the form's system menu.
bool AppendSystemMenuItem(NativeWindow form, std::uint32_t command_id, const char* gbk_caption);
void MoveFocusToNextTabStop(NativeWindow form);

// The message queue of this thread.
[[nodiscard]] bool MessageWaiting(bool* is_quit);
enum class PumpResult { kNothing, kDispatched, kQuit };
// Takes one message, lets the engine pre-translate it, then translates and
// dispatches it unless the engine consumed it.
[[nodiscard]] PumpResult PumpOneMessage();
void WaitForMessage();
void PostQuit(int exit_code);

// The zero-size tool window that owns windows kept out of the taskbar.
[[nodiscard]] NativeWindow CreateHiddenOwner();
// Asks the main thread, through its hidden owner window, to end the program
// with the code; the message that carries the request is the adapter's own.
void PostShutdownRequest(NativeWindow hidden_owner, int exit_code);
[[nodiscard]] bool OnMainThread();
[[noreturn]] void EndProcess(int exit_code);

}  // namespace pelmora::port

namespace pelmora::engine {

// Raw input the pump shows the engine before dispatching it.
struct InputMessage {
  enum class Kind { kLeftButtonDown, kKeyDown };
  Kind kind = Kind::kKeyDown;
  port::NativeWindow target = 0;
  std::int32_t x = 0, y = 0;      // press position in the target's client area
  std::int32_t key = 0;           // virtual key code
  std::int32_t modifiers = 0;     // kModifierCtrl | kModifierShift | kModifierAlt
};
// The keys held with the input, as a LeftButtonDown handler receives them.
constexpr std::int32_t kModifierCtrl = 1;
constexpr std::int32_t kModifierShift = 2;
constexpr std::int32_t kModifierAlt = 4;
// The virtual keys the engine acts on.
constexpr std::int32_t kKeyTab = 0x09;
constexpr std::int32_t kKeyEnter = 0x0D;
constexpr std::int32_t kKeyEscape = 0x1B;

// True when the engine consumed the message.
[[nodiscard]] bool PreTranslateInput(const InputMessage& message);
// A button control reported a click.
void UnitClicked(port::NativeWindow control);
// A command of the form's system menu was chosen (low four bits cleared);
// true when it was one of the program's own and has been handled.
bool SystemCommandChosen(port::NativeWindow form, std::uint32_t command_id);
// The form window moved to a display of another DPI; `suggested` is the
// outer rectangle the system proposes for it there.
void FormDpiChanged(port::NativeWindow form, std::int32_t dpi, const scale::Rect& suggested);
// A form window is being destroyed.
void FormWindowDestroyed(port::NativeWindow form);

}  // namespace pelmora::engine
