#include "runtime/window/window_engine.h"

#include <utility>
#include <vector>

#include "runtime/window/display_scale.h"
#include "runtime/system/dll_commands.h"
#include "runtime/system/exit_routines.h"
#include "runtime/system/fatal_report.h"
#include "runtime/window/window_engine_internal.h"
#include "runtime/window/window_port.h"
#include "runtime/window/window_styles.h"

namespace pelmora {
namespace {

using port::NativeWindow;

constexpr std::int32_t kMaxProgressValue = 32767;
constexpr std::int32_t kFirstControlId = 100;
constexpr std::int32_t kControlIdStep = 10;
constexpr std::int32_t kKindPropertyBase = 8;


struct Form {
  WindowRecord record;
  // Handlers per unit, parallel to each unit's event bindings.
  std::vector<std::vector<EventHandler>> handlers;
  // The unit table as stored, put back when the window is destroyed.
  std::vector<UnitRecord> stored_units;
  // Live controls per unit; [0] is the window. All 0 while not open.
  std::vector<NativeWindow> objects;
  // The DPI the open window is laid out for.
  std::int32_t dpi = scale::kFormDpi;

  bool open() const { return !objects.empty() && objects[0] != 0; }
};

struct IdleEntry {
  NativeWindow window;
  engine::IdleWork work;
  void* argument;
};

struct Engine {
  std::vector<Form> forms;
  std::vector<IdleEntry> idle;
  int suppression = 0;
  bool in_loop = false;
  bool shutting_down = false;
  std::int32_t source_window = 0;
  std::int32_t source_unit = 0;
  NativeWindow hidden_owner = 0;
};

Engine& State() {
  static Engine engine;
  return engine;
}

Form* FindForm(std::int32_t window_id) {
  for (Form& form : State().forms) {
    if (form.record.window_id == window_id) return &form;
  }
  return nullptr;
}

// Unit 0 stands for the window's own record.
int FindUnitIndex(const Form& form, std::int32_t unit_id) {
  if (unit_id == 0) return form.record.units.empty() ? -1 : 0;
  for (std::size_t i = 0; i < form.record.units.size(); ++i) {
    if (form.record.units[i].id == unit_id) return static_cast<int>(i);
  }
  return -1;
}

bool AnyWindowOpen() {
  for (const Form& form : State().forms) {
    if (form.open()) return true;
  }
  return false;
}

// Finds the form and unit a native window belongs to, walking up through
// parents for windows the controls make themselves.
bool Locate(NativeWindow window, Form** form_out, int* unit_out) {
  for (NativeWindow w = window; w != 0; w = port::ParentOf(w)) {
    for (Form& form : State().forms) {
      for (std::size_t i = 0; i < form.objects.size(); ++i) {
        if (form.objects[i] == w) {
          *form_out = &form;
          *unit_out = static_cast<int>(i);
          return true;
        }
      }
    }
  }
  return false;
}

class FormLookup final : public ReportWindowLookup {
 public:
  bool FindWindowTag(std::int32_t window_id, std::string* tag) const override {
    const Form* form = FindForm(window_id);
    if (form == nullptr || form->record.units.empty()) return false;
    *tag = form->record.units[0].tag;
    return true;
  }
  bool FindUnitTag(std::int32_t window_id, std::int32_t unit_id,
                   std::string* tag) const override {
    const Form* form = FindForm(window_id);
    if (form == nullptr) return false;
    const int index = FindUnitIndex(*form, unit_id);
    if (index < 0) return false;
    *tag = form->record.units[index].tag;
    return true;
  }
};

const FormLookup g_form_lookup;

void ApplyProgressBar(NativeWindow bar, const ProcessBarData& data) {
  std::int32_t low = 0, high = 0;
  engine::ProgressRange(data.minimum, data.maximum, &low, &high);
  port::SetProgressRange(bar, low, high);
  port::SetProgressPosition(bar, engine::ClampIntoRange(data.position, low, high));
}

std::int32_t ClampProgressValue(std::int64_t slot) {
  // Integers travel in the low 32 bits of the value slot.
  const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(slot));
  return engine::ClampIntoRange(value, 0, kMaxProgressValue);
}

void SetProcessBarProperty(UnitRecord& unit, NativeWindow bar, std::int32_t property,
                           std::int64_t slot) {
  ProcessBarData& data = unit.process_bar;
  const auto raw = static_cast<std::int32_t>(static_cast<std::uint32_t>(slot));
  switch (property) {
    case kBarBorderStyle:
      data.border_style = engine::ClampIntoRange(raw, 0, kHighestUnitFrame);
      port::SetUnitFrame(bar, data.border_style);
      break;
    case kBarVertical:
      data.vertical = raw != 0 ? 1 : 0;
      break;
    case kBarSmooth:
      data.smooth = raw != 0 ? 1 : 0;
      break;
    case kBarMinimum:
    case kBarMaximum:
    case kBarPosition: {
      const std::int32_t value = ClampProgressValue(slot);
      if (property == kBarMinimum) data.minimum = value;
      if (property == kBarMaximum) data.maximum = value;
      if (property == kBarPosition) data.position = value;
      std::int32_t low = 0, high = 0;
      engine::ProgressRange(data.minimum, data.maximum, &low, &high);
      if (property != kBarPosition) port::SetProgressRange(bar, low, high);
      port::SetProgressPosition(bar, engine::ClampIntoRange(data.position, low, high));
      break;
    }
    default:
      break;
  }
}

scale::Rect StoredRect(const UnitRecord& unit) {
  return {unit.left, unit.top, unit.width, unit.height};
}

// The stored size is for 96 DPI; elsewhere the client area scales and the
// window grows around it, centred again when the form asks to be centred.
void FitFormToDpi(Form& form, std::int32_t left, std::int32_t top) {
  const UnitRecord& own = form.record.units[0];
  const NativeWindow window = form.objects[0];
  const scale::Size size = scale::OuterSizeAtDpi(
      {own.width, own.height}, port::FormFrame(window, scale::kFormDpi),
      port::FormFrame(window, form.dpi), form.dpi);
  if (own.window.start_position == kStartCentred) {
    std::int32_t screen_width = 0, screen_height = 0;
    port::PrimaryScreenSize(&screen_width, &screen_height);
    engine::CentredPosition(screen_width, screen_height, size.width, size.height, &left, &top);
  }
  port::PlaceFormWindow(window, {left, top, size.width, size.height});
}

// Creates the window and its units; false abandons the build.
bool BuildWindow(Form& form) {
  Engine& engine = State();
  std::vector<UnitRecord>& units = form.record.units;
  const UnitRecord& own = units[0];
  const WindowData& data = own.window;

  std::int32_t left = own.left, top = own.top;
  if (data.start_position == kStartCentred) {
    std::int32_t screen_width = 0, screen_height = 0;
    port::PrimaryScreenSize(&screen_width, &screen_height);
    engine::CentredPosition(screen_width, screen_height, own.width, own.height, &left, &top);
  }
  const NativeWindow owner = data.show_in_taskbar == 0 ? engine.hidden_owner : 0;
  form.objects.assign(units.size(), 0);
  form.objects[0] = port::CreateFormWindow(own, left, top, owner);
  if (form.objects[0] == 0) return false;
  // Only the created window knows which display it is on.
  form.dpi = port::WindowDpi(form.objects[0]);
  port::UseDpi(form.objects[0], form.dpi);
  if (form.dpi != scale::kFormDpi) FitFormToDpi(form, left, top);

  std::int32_t control_id = kFirstControlId;
  for (std::size_t k = units.size() - 1; k >= 1; --k) {
    const NativeWindow control = port::CreateUnitControl(
        form.objects[0], units[k], control_id, scale::RectToDpi(StoredRect(units[k]), form.dpi));
    if (control == 0) return false;
    form.objects[k] = control;
    if (units[k].kind == UnitKind::kProcessBar) ApplyProgressBar(control, units[k].process_bar);
    control_id += kControlIdStep;
  }

  for (std::size_t k = 1; k < units.size(); ++k) {
    if (units[k].parent_id == 0) continue;
    const int container = FindUnitIndex(form, units[k].parent_id);
    if (container <= 0) return false;
    port::MoveIntoContainer(form.objects[k], form.objects[container],
                            scale::ToDpi(units[k].left, form.dpi),
                            scale::ToDpi(units[k].top, form.dpi));
  }

  // First entry on top; each later one directly below the previous entry
  // that shares its parent.
  for (std::size_t k = 1; k < units.size(); ++k) {
    NativeWindow above = 0;
    for (std::size_t j = k - 1; j >= 1; --j) {
      if (units[j].parent_id == units[k].parent_id) {
        above = form.objects[j];
        break;
      }
    }
    port::PlaceBelow(form.objects[k], above);
  }

  for (std::size_t k = 1; k < units.size(); ++k) {
    port::ShowUnit(form.objects[k], (units[k].flags & kFlagVisible) != 0);
  }
  return true;
}

void RunIdleWork() {
  std::vector<IdleEntry>& idle = State().idle;
  for (std::size_t i = 0; i < idle.size();) {
    bool alive = false;
    for (const Form& form : State().forms) {
      if (form.open() && form.objects[0] == idle[i].window) alive = true;
    }
    if (!alive) {
      idle.erase(idle.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    const IdleEntry entry = idle[i];
    entry.work(entry.argument);
    ++i;
  }
}

}  // namespace

namespace engine {

void LoadForms(FormDescription forms, const EventHandler* handlers, std::size_t handler_count) {
  Engine& engine = State();
  engine.forms.clear();
  for (WindowRecord& record : forms.windows) {
    Form form;
    form.record = std::move(record);
    for (const UnitRecord& unit : form.record.units) {
      std::vector<EventHandler> bound;
      for (const EventBinding& binding : unit.events) {
        const std::int32_t ref = binding.handler_reference;
        const bool known = ref >= 0 && static_cast<std::size_t>(ref) < handler_count;
        bound.push_back(known ? handlers[ref] : nullptr);
      }
      form.handlers.push_back(std::move(bound));
    }
    form.objects.assign(form.record.units.size(), 0);
    engine.forms.push_back(std::move(form));
  }
  SetReportWindowLookup(&g_form_lookup);
}

void ResetForTests() {
  State() = Engine();
  ForgetExitRoutines();
  ForgetSystemMenuCommands();
  SetReportWindowLookup(nullptr);
}

int EventSuppressionCount() { return State().suppression; }
void RaiseEventSuppression() { ++State().suppression; }
void LowerEventSuppression() { --State().suppression; }
bool InMessageLoop() { return State().in_loop; }

FireOutcome FireEvent(std::int32_t window_id, std::int32_t unit_id, std::int32_t event_number,
                      const std::int32_t* arguments, int count) {
  Engine& engine = State();
  FireOutcome outcome;
  if (engine.suppression >= 1) {
    outcome.status = FireStatus::kSuppressed;
    return outcome;
  }
  Form* form = FindForm(window_id);
  if (form == nullptr) ReportRuntimeFailure("未找到引发事件的窗口", window_id, unit_id);
  const int index = FindUnitIndex(*form, unit_id);
  if (index < 0) ReportRuntimeFailure("未找到引发事件的窗口组件", window_id, unit_id);
  const UnitRecord& unit = form->record.units[index];
  if (!IsKnownUnitKind(unit.kind)) {
    ReportRuntimeFailure("引发事件的窗口组件无效", window_id, unit_id);
  }
  EventHandler handler = nullptr;
  for (std::size_t i = 0; i < unit.events.size(); ++i) {
    if (unit.events[i].event_number == event_number) {
      handler = form->handlers[index][i];
      break;
    }
  }
  if (handler == nullptr) return outcome;
  engine.source_window = window_id;
  engine.source_unit = unit.id;
  outcome.result = handler(arguments, count);
  engine.source_window = 0;
  engine.source_unit = 0;
  outcome.status = FireStatus::kHandled;
  return outcome;
}

std::int32_t CurrentEventWindow() { return State().source_window; }
std::int32_t CurrentEventUnit() { return State().source_unit; }

void RegisterIdleWork(std::uintptr_t window, IdleWork work, void* argument) {
  State().idle.push_back({window, work, argument});
}

void ProgressRange(std::int32_t minimum, std::int32_t maximum, std::int32_t* low,
                   std::int32_t* high) {
  *low = minimum < maximum ? minimum : maximum;
  *high = minimum < maximum ? maximum : minimum;
}

std::int32_t ClampIntoRange(std::int32_t value, std::int32_t low, std::int32_t high) {
  if (value < low) return low;
  if (value > high) return high;
  return value;
}

void CentredPosition(std::int32_t screen_width, std::int32_t screen_height, std::int32_t width,
                     std::int32_t height, std::int32_t* left, std::int32_t* top) {
  *left = (screen_width - width) / 2;
  *top = (screen_height - height) / 2;
}

bool PreTranslateInput(const InputMessage& message) {
  Form* form = nullptr;
  int index = -1;
  if (!Locate(message.target, &form, &index)) return false;
  const std::int32_t window_id = form->record.window_id;
  const std::int32_t unit_id = index == 0 ? 0 : form->record.units[index].id;

  if (message.kind == InputMessage::Kind::kLeftButtonDown) {
    const std::int32_t arguments[3] = {message.x & 0xFFFF, message.y & 0xFFFF,
                                       message.modifiers};
    const FireOutcome outcome =
        FireEvent(window_id, unit_id, kEventLeftButtonDown, arguments, 3);
    return outcome.status == FireStatus::kHandled && outcome.result.has_value &&
           outcome.result.value == 0;
  }

  // Only plain keys match: Ctrl, Shift and Alt are folded into the key.
  if (message.modifiers != 0) return false;
  const WindowData& data = form->record.units[0].window;
  // None of this program's unit kinds claims a key for itself.
  if (message.key == kKeyEscape && data.esc_closes == 1) {
    port::CloseFormWindow(form->objects[0]);
    return true;
  }
  if (message.key == kKeyTab || (message.key == kKeyEnter && data.enter_moves_focus == 1)) {
    port::MoveFocusToNextTabStop(form->objects[0]);
    return true;
  }
  return false;
}

void UnitClicked(port::NativeWindow control) {
  Form* form = nullptr;
  int index = -1;
  if (!Locate(control, &form, &index) || index == 0) return;
  if (form->record.units[index].kind != UnitKind::kButton) return;
  FireEvent(form->record.window_id, form->record.units[index].id, kEventClicked, nullptr, 0);
}

void FormDpiChanged(port::NativeWindow window, std::int32_t dpi, const scale::Rect& suggested) {
  Form* form = nullptr;
  int index = -1;
  if (!Locate(window, &form, &index) || index != 0) return;
  form->dpi = dpi;
  port::PlaceFormWindow(window, suggested);
  const std::vector<UnitRecord>& units = form->record.units;
  for (std::size_t k = 1; k < units.size(); ++k) {
    if (form->objects[k] == 0) continue;  // the build has not reached it yet
    port::PlaceUnit(form->objects[k], scale::RectToDpi(StoredRect(units[k]), dpi));
  }
  port::UseDpi(window, dpi);
}

void FormWindowDestroyed(port::NativeWindow window) {
  for (Form& form : State().forms) {
    if (!form.open() || form.objects[0] != window) continue;
    if (!form.stored_units.empty()) form.record.units = form.stored_units;
    form.objects.assign(form.record.units.size(), 0);
  }
  if (!AnyWindowOpen() && State().in_loop) port::PostQuit(0);
}

}  // namespace engine

bool LoadStartWindow(std::int32_t window_id) {
  Form* form = FindForm(window_id);
  if (form == nullptr || form->record.units.empty() ||
      form->record.units[0].kind != UnitKind::kWindow) {
    ReportRuntimeFailure("载入启动窗口失败", window_id, 0);
  }
  if (form->open()) {
    port::RestoreOrActivate(form->objects[0]);
    return true;
  }

  ProcessPendingEvents();
  engine::RaiseEventSuppression();
  form->stored_units = form->record.units;
  const bool built = BuildWindow(*form);
  if (!built) {
    if (form->objects[0] != 0) port::DestroyNativeWindow(form->objects[0]);
    form->record.units = form->stored_units;
    form->objects.assign(form->record.units.size(), 0);
    ReportRuntimeFailure("载入启动窗口失败", window_id, 0);
  }
  ProcessPendingEvents();
  engine::LowerEventSuppression();

  engine::FireEvent(window_id, 0, kEventCreated, nullptr, 0);
  // A handler may have closed the window; the form is looked up afresh.
  for (std::int32_t event : kEventsAfterCreated) {
    if (IsWindowOpen(window_id)) engine::FireEvent(window_id, 0, event, nullptr, 0);
  }
  form = FindForm(window_id);
  if (form != nullptr && form->open() && (form->record.units[0].flags & kFlagVisible) != 0) {
    port::ShowFormWindow(form->objects[0], form->record.units[0].window.start_position);
  }
  return true;
}

void RunMessageLoop() {
  State().in_loop = true;
  if (!AnyWindowOpen()) return;
  for (;;) {
    bool is_quit = false;
    while (!port::MessageWaiting(&is_quit)) {
      RunIdleWork();
      port::WaitForMessage();
    }
    for (;;) {
      const port::PumpResult result = port::PumpOneMessage();
      if (result == port::PumpResult::kQuit) return;
      if (result == port::PumpResult::kNothing) break;
    }
  }
}

void ProcessPendingEvents() {
  bool is_quit = false;
  while (port::MessageWaiting(&is_quit) && !is_quit) {
    if (port::PumpOneMessage() != port::PumpResult::kDispatched) break;
  }
}

void WriteUnitProperty(std::int32_t window_id, std::int32_t unit_id, std::int32_t property,
                       std::int32_t element_index, std::int64_t value) {
  (void)element_index;  // no list-valued property is written by this program
  Form* form = FindForm(window_id);
  if (form == nullptr) ReportRuntimeFailure("未载入欲访问窗口组件所在的窗口", window_id, unit_id);
  const int index = FindUnitIndex(*form, unit_id);
  if (index < 0) ReportRuntimeFailure("未载入欲访问窗口组件所在的窗口", window_id, unit_id);
  if (property < kKindPropertyBase) return;  // common properties are not written here
  if (!form->open()) {
    ReportRuntimeFailure("修改组件属性时发现指定窗口尚未载入", window_id, unit_id);
  }
  UnitRecord& unit = form->record.units[index];
  if (unit.kind == UnitKind::kProcessBar) {
    SetProcessBarProperty(unit, form->objects[index], property, value);
  }
}

bool IsWindowOpen(std::int32_t window_id) {
  const Form* form = FindForm(window_id);
  return form != nullptr && form->open();
}

std::uintptr_t NativeHandleOfWindow(std::int32_t window_id) {
  const Form* form = FindForm(window_id);
  return form != nullptr && form->open() ? form->objects[0] : 0;
}

namespace engine {
void SetHiddenOwner(port::NativeWindow window) { State().hidden_owner = window; }
}  // namespace engine

void Shutdown(int exit_code) {
  Engine& engine = State();
  engine::RaiseEventSuppression();
  if (!port::OnMainThread()) {
    if (engine.hidden_owner != 0) {
      port::PostShutdownRequest(engine.hidden_owner, exit_code);
    }
    if (!engine.shutting_down) port::EndProcess(exit_code);
    return;
  }
  engine.shutting_down = true;
  RunExitRoutines();
  ReleaseDllCommands();
  if (engine.hidden_owner != 0) {
    port::DestroyNativeWindow(engine.hidden_owner);
    engine.hidden_owner = 0;
  }
  engine.idle.clear();
}

void ExitProgram(int exit_code) {
  Shutdown(exit_code);
  port::EndProcess(exit_code);
}

}  // namespace pelmora
