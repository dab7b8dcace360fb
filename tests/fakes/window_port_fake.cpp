#include "fakes/window_port_fake.h"

#include <cstdio>
#include <cstdlib>

#include "runtime/window/window_engine_internal.h"

namespace pelmora {
namespace fake {
namespace {

port::NativeWindow g_next_handle = 0x1000;
int g_next_z = 0;

port::NativeWindow Add(const FakeWindow& window) {
  const port::NativeWindow handle = g_next_handle;
  g_next_handle += 4;
  Windows().windows[handle] = window;
  return handle;
}

FakeWindow* Find(port::NativeWindow handle) {
  auto it = Windows().windows.find(handle);
  if (it == Windows().windows.end() || it->second.destroyed) return nullptr;
  return &it->second;
}

}  // namespace

FakeWindows& Windows() {
  static FakeWindows windows;
  return windows;
}

port::NativeWindow FakeWindows::FormWindow() const {
  for (const auto& [handle, window] : windows) {
    if (window.form && !window.destroyed) return handle;
  }
  return 0;
}

port::NativeWindow FakeWindows::Control(std::int32_t control_id) const {
  for (const auto& [handle, window] : windows) {
    if (!window.form && !window.destroyed && window.control_id == control_id) return handle;
  }
  return 0;
}

void FakeWindows::PostInput(const engine::InputMessage& input) {
  FakeMessage message;
  message.kind = FakeMessage::Kind::kInput;
  message.input = input;
  message.target = input.target;
  queue.push_back(message);
}

void FakeWindows::PostClick(port::NativeWindow button) {
  FakeMessage message;
  message.kind = FakeMessage::Kind::kClick;
  message.target = button;
  queue.push_back(message);
}

bool FakeWindows::HasSystemMenuItem(std::uint32_t command) const {
  const port::NativeWindow form = FormWindow();
  if (form == 0) return false;
  for (const auto& item : windows.at(form).system_menu_additions) {
    if (item.first == command) return true;
  }
  return false;
}

void FakeWindows::PostSystemCommand(std::uint32_t command) {
  FakeMessage message;
  message.kind = FakeMessage::Kind::kSystemCommand;
  message.command = command;
  queue.push_back(message);
}

void FakeWindows::PostOther(port::NativeWindow target) {
  FakeMessage message;
  message.target = target;
  queue.push_back(message);
}

// Destroys children first, then tells the engine about a form, as
// DestroyWindow's WM_DESTROY does.
void FakeWindows::Destroy(port::NativeWindow handle) {
  FakeWindow* window = Find(handle);
  if (window == nullptr) return;
  for (auto& [child, record] : windows) {
    if (record.parent == handle && !record.destroyed) Destroy(child);
  }
  window = Find(handle);
  if (window == nullptr) return;
  const bool form = window->form;
  if (form) engine::FormWindowDestroyed(handle);
  window = Find(handle);
  if (window != nullptr) window->destroyed = true;
}

void FakeWindows::Clear() {
  *this = FakeWindows();
  g_next_handle = 0x1000;
  g_next_z = 0;
}

}  // namespace fake

namespace port {

void PrimaryScreenSize(std::int32_t* width, std::int32_t* height) {
  *width = fake::Windows().screen_width;
  *height = fake::Windows().screen_height;
}

NativeWindow CreateFormWindow(const UnitRecord& own, std::int32_t left, std::int32_t top,
                              NativeWindow owner) {
  fake::FakeWindow window;
  window.form = true;
  window.owner = owner;
  window.left = left;
  window.top = top;
  window.width = own.width;
  window.height = own.height;
  return fake::Add(window);
}

NativeWindow CreateUnitControl(NativeWindow form, const UnitRecord& unit, std::int32_t control_id,
                               const scale::Rect& rect) {
  fake::FakeWindows& w = fake::Windows();
  if (w.fail_unit_creation_at >= 0 && w.units_created == w.fail_unit_creation_at) return 0;
  ++w.units_created;
  fake::FakeWindow window;
  window.kind = unit.kind;
  window.parent = form;
  window.left = rect.left;
  window.top = rect.top;
  window.width = rect.width;
  window.height = rect.height;
  window.control_id = control_id;
  // A control takes the form's font as it is created.
  if (const fake::FakeWindow* parent = fake::Find(form)) window.font_dpi = parent->font_dpi;
  return fake::Add(window);
}

void MoveIntoContainer(NativeWindow unit, NativeWindow container, std::int32_t left,
                       std::int32_t top) {
  if (fake::FakeWindow* w = fake::Find(unit)) {
    w->parent = container;
    w->left = left;
    w->top = top;
  }
}

// Stacking: a unit placed below another takes the next position after it.
void PlaceBelow(NativeWindow unit, NativeWindow above) {
  fake::FakeWindow* w = fake::Find(unit);
  if (w == nullptr) return;
  const fake::FakeWindow* a = fake::Find(above);
  w->z = a != nullptr ? a->z + 1 : 0;
}

void ShowUnit(NativeWindow unit, bool visible) {
  if (fake::FakeWindow* w = fake::Find(unit)) w->visible = visible;
}

void ShowFormWindow(NativeWindow form, std::int32_t) {
  if (fake::FakeWindow* w = fake::Find(form)) w->visible = true;
}

void RestoreOrActivate(NativeWindow) {}

std::int32_t WindowDpi(NativeWindow) { return fake::Windows().dpi; }

scale::Frame FormFrame(NativeWindow, std::int32_t dpi) {
  const fake::FakeWindows& w = fake::Windows();
  scale::Frame frame = scale::FrameToDpi(w.frame_96, scale::kFormDpi, dpi);
  frame.top = w.frame_96.top + (dpi - scale::kFormDpi) * w.caption_growth_per_96_dpi / 96;
  return frame;
}

void PlaceFormWindow(NativeWindow form, const scale::Rect& outer) {
  PlaceUnit(form, outer);
}

void PlaceUnit(NativeWindow unit, const scale::Rect& rect) {
  if (fake::FakeWindow* w = fake::Find(unit)) {
    w->left = rect.left;
    w->top = rect.top;
    w->width = rect.width;
    w->height = rect.height;
  }
}

void UseDpi(NativeWindow form, std::int32_t dpi) {
  for (auto& [handle, window] : fake::Windows().windows) {
    if (window.destroyed) continue;
    bool inside = handle == form;
    for (NativeWindow p = window.parent; p != 0 && !inside;
         p = fake::Windows().windows.at(p).parent) {
      inside = p == form;
    }
    if (inside) window.font_dpi = dpi;
  }
}

void DestroyNativeWindow(NativeWindow window) { fake::Windows().Destroy(window); }

NativeWindow ParentOf(NativeWindow window) {
  const fake::FakeWindow* w = fake::Find(window);
  return w != nullptr && !w->form ? w->parent : 0;
}

void SetProgressRange(NativeWindow bar, std::int32_t low, std::int32_t high) {
  if (fake::FakeWindow* w = fake::Find(bar)) {
    w->range_low = low;
    w->range_high = high;
    // The control keeps its position inside its range, as the real one does.
    if (w->position < low) w->position = low;
    if (w->position > high) w->position = high;
  }
}

void SetProgressPosition(NativeWindow bar, std::int32_t position) {
  if (fake::FakeWindow* w = fake::Find(bar)) w->position = position;
}

void SetUnitFrame(NativeWindow unit, std::int32_t border_style) {
  if (fake::FakeWindow* w = fake::Find(unit)) w->frame = border_style;
}

void CloseFormWindow(NativeWindow form) {
  ++fake::Windows().closes;
  fake::Windows().Destroy(form);
}

void MoveFocusToNextTabStop(NativeWindow) { ++fake::Windows().focus_moves; }

bool AppendSystemMenuItem(NativeWindow form, std::uint32_t command_id, const char* gbk_caption) {
  fake::FakeWindow* w = fake::Find(form);
  if (w == nullptr || !w->form || fake::Windows().refuse_system_menu_items) return false;
  w->system_menu_additions.emplace_back(0, "");
  w->system_menu_additions.emplace_back(command_id, gbk_caption);
  return true;
}

bool MessageWaiting(bool* is_quit) {
  const auto& queue = fake::Windows().queue;
  if (queue.empty()) return false;
  *is_quit = queue.front().kind == fake::FakeMessage::Kind::kQuit;
  return true;
}

PumpResult PumpOneMessage() {
  auto& w = fake::Windows();
  if (w.queue.empty()) return PumpResult::kNothing;
  // A user can choose a menu item only once the menu has it.
  if (w.queue.front().kind == fake::FakeMessage::Kind::kSystemCommand &&
      !w.HasSystemMenuItem(w.queue.front().command)) {
    return PumpResult::kNothing;
  }
  const fake::FakeMessage message = w.queue.front();
  w.queue.pop_front();
  switch (message.kind) {
    case fake::FakeMessage::Kind::kQuit:
      return PumpResult::kQuit;
    case fake::FakeMessage::Kind::kInput:
      if (engine::PreTranslateInput(message.input)) return PumpResult::kDispatched;
      break;
    case fake::FakeMessage::Kind::kClick:
      engine::UnitClicked(message.target);
      break;
    case fake::FakeMessage::Kind::kSystemCommand:
      engine::SystemCommandChosen(w.FormWindow(), message.command);
      break;
    case fake::FakeMessage::Kind::kOther:
      break;
  }
  w.dispatched.push_back(message);
  return PumpResult::kDispatched;
}

// A real loop would block; an empty fake queue can only mean a test forgot
// to close the window, so end the loop the way closing would.
void WaitForMessage() {
  std::fprintf(stderr, "fake message queue ran dry\n");
  PostQuit(0);
}

void PostQuit(int exit_code) {
  fake::FakeMessage message;
  message.kind = fake::FakeMessage::Kind::kQuit;
  message.quit_code = exit_code;
  fake::Windows().queue.push_back(message);
}

NativeWindow CreateHiddenOwner() {
  fake::FakeWindow window;
  window.hidden_owner = true;
  return fake::Add(window);
}

void PostShutdownRequest(NativeWindow hidden_owner, int exit_code) {
  fake::Windows().shutdown_requests.push_back({hidden_owner, exit_code});
}

bool OnMainThread() { return fake::Windows().on_main_thread; }

void EndProcess(int exit_code) {
  std::fflush(stdout);
  std::exit(exit_code);
}

}  // namespace port
}  // namespace pelmora
