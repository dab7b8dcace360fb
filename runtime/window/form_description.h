// The stored description of a window and its units, as read from the
// program's resources. The reader is strict: any length or offset that does
// not fit what remains, or a kind data version above the highest known,
// fails the whole read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pelmora {

enum class UnitKind : std::uint32_t {
  kWindow = 0x00010001,
  kGroupBox = 0x00010009,
  kLabel = 0x0001000A,
  kButton = 0x0001000B,
  kProcessBar = 0x00010013,
};

// Highest kind data layout versions this reader understands.
constexpr std::int32_t kWindowDataVersion = 6;
constexpr std::int32_t kLabelDataVersion = 2;
constexpr std::int32_t kButtonDataVersion = 1;
constexpr std::int32_t kProcessBarDataVersion = 1;

// The highest of the above for a kind; 0 for a kind without a known layout.
constexpr std::int32_t HighestDataVersion(UnitKind kind) {
  switch (kind) {
    case UnitKind::kWindow: return kWindowDataVersion;
    case UnitKind::kLabel: return kLabelDataVersion;
    case UnitKind::kButton: return kButtonDataVersion;
    case UnitKind::kProcessBar: return kProcessBarDataVersion;
    case UnitKind::kGroupBox: return 0;
  }
  return 0;
}

// Whether a kind, as stored, is one of the above: every one of them takes
// events.
constexpr bool IsKnownUnitKind(UnitKind kind) {
  switch (kind) {
    case UnitKind::kWindow:
    case UnitKind::kGroupBox:
    case UnitKind::kLabel:
    case UnitKind::kButton:
    case UnitKind::kProcessBar:
      return true;
  }
  return false;
}

constexpr std::uint32_t kFlagVisible = 1u << 0;
constexpr std::uint32_t kFlagDisabled = 1u << 1;
constexpr std::uint32_t kFlagTabStop = 1u << 2;

constexpr std::int32_t kNoHandler = -1;

// Event numbers stored in the bindings. Created is the window's, Clicked the
// button's; LeftButtonDown is common to every unit.
constexpr std::int32_t kEventCreated = 0;
constexpr std::int32_t kEventClicked = 0;
constexpr std::int32_t kEventLeftButtonDown = -1;
// The window's events that building it fires after Created, in this order,
// each only while the window is still open.
constexpr std::int32_t kEventsAfterCreated[] = {3, 4};

// A window's StartPosition.
constexpr std::int32_t kStartAsStored = 0;
constexpr std::int32_t kStartCentred = 1;
constexpr std::int32_t kStartMinimized = 2;
constexpr std::int32_t kStartMaximized = 3;

// A handler reference is a number the program gives its own routines; the
// engine binds it through the table the program hands to InitializeRuntime.
struct EventBinding {
  std::int32_t event_number;
  std::int32_t handler_reference;  // kNoHandler = none
};

struct WindowData {
  std::int32_t border_style = 2;
  std::int32_t setting = 1;
  std::uint32_t back_color = 0xFF000000u;
  std::int32_t maximize_box = 0;
  std::int32_t minimize_box = 1;
  std::int32_t control_box = 1;
  std::int32_t start_position = kStartCentred;
  std::int32_t movable = 1;
  std::int32_t sound_play_mode = 0;
  std::int32_t enter_moves_focus = 0;
  std::int32_t esc_closes = 1;
  std::int32_t settings_a[2] = {0, 0};
  std::int32_t show_in_taskbar = 1;
  std::int32_t settings_b[2] = {0, 0};
  std::int32_t always_on_top = 0;
  std::int32_t setting_v5 = 0;
  std::string text_v6;
  std::string font;       // LOGFONTA bytes or empty
  std::string icon_file;  // a whole .ico file
  std::string sound;
  std::string title;      // GBK
  std::string trailing_text;
};

struct LabelData {
  std::int32_t effect = 0;
  std::int32_t setting = 8;
  std::int32_t border_style = 0;
  std::uint32_t effect_colors[3] = {0x808080, 0xFFFFFF, 0x808080};
  std::uint32_t text_color = 0;
  std::uint32_t back_color = 0xFF000000u;
  std::int32_t choices[2] = {0, 0};
  std::uint32_t colors[3] = {0, 0, 0};
  std::int32_t horizontal_alignment = 0;  // 0 left, 1 centre, 2 right
  std::int32_t vertical_alignment = 1;    // 0 top, 1 centre, 2 bottom
  std::int32_t word_wrap = 0;
  std::string picture;
  std::string font;  // LOGFONTA (60 bytes) or empty
  std::string caption = "标签";
  std::string extra_blocks[2];
};

struct ButtonData {
  std::int32_t default_button = 0;
  std::int32_t horizontal_alignment = 1;
  std::int32_t vertical_alignment = 1;
  std::string font;
  std::string picture;
  std::string caption;
};

struct ProcessBarData {
  std::int32_t border_style = 3;
  std::int32_t vertical = 0;
  std::int32_t smooth = 0;
  std::int32_t minimum = 0;
  std::int32_t maximum = 100;
  std::int32_t position = 0;
};

struct UnitRecord {
  std::int32_t id = 0;
  UnitKind kind = UnitKind::kLabel;
  std::string name;    // GBK, empty for the window's own record
  std::string remark;
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  std::int32_t parent_id = 0;  // 0 = the window itself
  std::vector<std::int32_t> children;
  std::string mouse_pointer;  // the block's bytes (begins with the pointer number)
  std::string tag;
  std::uint32_t flags = 0;
  std::vector<EventBinding> events;
  bool has_kind_data = false;  // false = the kind's defaults (the group box)
  std::int32_t kind_data_version = 0;
  WindowData window;
  LabelData label;
  ButtonData button;
  ProcessBarData process_bar;
};

struct WindowRecord {
  std::int32_t window_id = 0;
  std::int32_t word1 = 0, word2 = 0;
  std::string text1, text2;
  std::vector<UnitRecord> units;  // units[0] is the window's own record
};

struct FormDescription {
  std::vector<WindowRecord> windows;
};

// Reads a whole description; false (and `out` unspecified) when anything is
// truncated, inconsistent or of an unknown version.
[[nodiscard]] bool ReadFormDescription(const unsigned char* data, std::size_t size,
                                       FormDescription* out);

// Writes the exact stored layout; the build tool and the tests use it, so
// the writer mirrors the reader field for field.
[[nodiscard]] std::string WriteFormDescription(const FormDescription& form);

}  // namespace pelmora
