// How a window's and its units' stored settings become the platform's
// window styles, label text format and show command. The rules are plain
// numbers here so they run on the host; the window adapter only passes
// them to the system, and checks each named value against the SDK when it
// is compiled.
#pragma once

#include <cstdint>

#include "runtime/window/form_description.h"
#include "runtime/window/show_commands.h"

namespace pelmora {

// The platform's style bits the rules use.
namespace style {
constexpr std::uint32_t kPopup = 0x80000000u;         // WS_POPUP
constexpr std::uint32_t kChild = 0x40000000u;         // WS_CHILD
constexpr std::uint32_t kMinimize = 0x20000000u;      // WS_MINIMIZE
constexpr std::uint32_t kDisabled = 0x08000000u;      // WS_DISABLED
constexpr std::uint32_t kClipSiblings = 0x04000000u;  // WS_CLIPSIBLINGS
constexpr std::uint32_t kClipChildren = 0x02000000u;  // WS_CLIPCHILDREN
constexpr std::uint32_t kMaximize = 0x01000000u;      // WS_MAXIMIZE
constexpr std::uint32_t kCaption = 0x00C00000u;       // WS_CAPTION
constexpr std::uint32_t kBorder = 0x00800000u;        // WS_BORDER
constexpr std::uint32_t kDialogFrame = 0x00400000u;   // WS_DLGFRAME
constexpr std::uint32_t kSystemMenu = 0x00080000u;    // WS_SYSMENU
constexpr std::uint32_t kSizingFrame = 0x00040000u;   // WS_THICKFRAME
constexpr std::uint32_t kMinimizeBox = 0x00020000u;   // WS_MINIMIZEBOX
constexpr std::uint32_t kMaximizeBox = 0x00010000u;   // WS_MAXIMIZEBOX
constexpr std::uint32_t kTabStop = 0x00010000u;       // WS_TABSTOP (a child's reading of the bit)

constexpr std::uint32_t kExModalFrame = 0x00000001u;  // WS_EX_DLGMODALFRAME
constexpr std::uint32_t kExToolWindow = 0x00000080u;  // WS_EX_TOOLWINDOW
constexpr std::uint32_t kExClientEdge = 0x00000200u;  // WS_EX_CLIENTEDGE
constexpr std::uint32_t kExStaticEdge = 0x00020000u;  // WS_EX_STATICEDGE

constexpr std::uint32_t kButtonPush = 0x0000u;         // BS_PUSHBUTTON
constexpr std::uint32_t kButtonDefault = 0x0001u;      // BS_DEFPUSHBUTTON
constexpr std::uint32_t kButtonGroupBox = 0x0007u;     // BS_GROUPBOX
constexpr std::uint32_t kButtonLeft = 0x0100u;         // BS_LEFT
constexpr std::uint32_t kButtonRight = 0x0200u;        // BS_RIGHT
constexpr std::uint32_t kButtonCentre = 0x0300u;       // BS_CENTER
constexpr std::uint32_t kButtonTop = 0x0400u;          // BS_TOP
constexpr std::uint32_t kButtonBottom = 0x0800u;       // BS_BOTTOM
constexpr std::uint32_t kButtonVerticalCentre = 0x0C00u;  // BS_VCENTER
constexpr std::uint32_t kButtonMultiline = 0x2000u;    // BS_MULTILINE

constexpr std::uint32_t kProgressSmooth = 0x01u;    // PBS_SMOOTH
constexpr std::uint32_t kProgressVertical = 0x04u;  // PBS_VERTICAL

constexpr std::uint32_t kTextLeft = 0x000u;            // DT_LEFT
constexpr std::uint32_t kTextCentre = 0x001u;          // DT_CENTER
constexpr std::uint32_t kTextRight = 0x002u;           // DT_RIGHT
constexpr std::uint32_t kTextTop = 0x000u;             // DT_TOP
constexpr std::uint32_t kTextVerticalCentre = 0x004u;  // DT_VCENTER
constexpr std::uint32_t kTextBottom = 0x008u;          // DT_BOTTOM
constexpr std::uint32_t kTextWordBreak = 0x010u;       // DT_WORDBREAK
constexpr std::uint32_t kTextSingleLine = 0x020u;      // DT_SINGLELINE
constexpr std::uint32_t kTextNoPrefix = 0x800u;        // DT_NOPREFIX
}  // namespace style

struct WindowStyles {
  std::uint32_t style = 0;
  std::uint32_t ex_style = 0;
};

// The form window: its frame from BorderStyle (0..6), caption, boxes and
// start state.
[[nodiscard]] WindowStyles FormWindowStyles(const WindowData& data);

// A unit's frame from BorderStyle (0..kHighestUnitFrame): none, client
// edge, raised, thin sunken, both edges, single line.
constexpr std::int32_t kHighestUnitFrame = 5;
[[nodiscard]] WindowStyles UnitFrameStyles(std::int32_t border_style);
// The same frame put in place of whatever frame `current` has.
[[nodiscard]] WindowStyles ReplaceUnitFrame(WindowStyles current, std::int32_t border_style);

// Everything a unit's control is created with: child of the form, its
// flags, its kind's own styles and its frame.
[[nodiscard]] WindowStyles UnitControlStyles(const UnitRecord& unit);

// How a label draws its caption.
[[nodiscard]] std::uint32_t LabelTextFormat(const LabelData& data);

// How the form window is first shown after its StartPosition.
[[nodiscard]] int FormShowCommand(std::int32_t start_position);

}  // namespace pelmora
