#include "runtime/window/window_styles.h"

namespace pelmora {
namespace {

// Window frames (the form's BorderStyle).
constexpr std::int32_t kWindowNoFrame = 0;
constexpr std::int32_t kWindowSizable = 1;
constexpr std::int32_t kWindowSizableTool = 3;
constexpr std::int32_t kWindowFixedTool = 4;
constexpr std::int32_t kWindowSizableEdged = 5;
constexpr std::int32_t kWindowFixedEdged = 6;

// Unit frames (a unit's BorderStyle).
constexpr std::int32_t kFrameClientEdge = 1;
constexpr std::int32_t kFrameRaised = 2;
constexpr std::int32_t kFrameThinSunken = 3;
constexpr std::int32_t kFrameBothEdges = 4;
constexpr std::int32_t kFrameLine = kHighestUnitFrame;

constexpr std::int32_t kAlignNear = 0;    // left, or top
constexpr std::int32_t kAlignCentre = 1;
constexpr std::int32_t kAlignFar = 2;     // right, or bottom

// The bits any unit frame may set, taken off before another is applied.
constexpr std::uint32_t kFrameExBits =
    style::kExClientEdge | style::kExModalFrame | style::kExStaticEdge;
constexpr std::uint32_t kFrameBits = style::kBorder;

bool On(std::int32_t setting) { return setting == 1; }

std::uint32_t ButtonAlignment(const ButtonData& data) {
  const std::uint32_t horizontal = data.horizontal_alignment == kAlignNear     ? style::kButtonLeft
                                   : data.horizontal_alignment == kAlignCentre ? style::kButtonCentre
                                                                               : style::kButtonRight;
  const std::uint32_t vertical = data.vertical_alignment == kAlignNear ? style::kButtonTop
                                 : data.vertical_alignment == kAlignCentre
                                     ? style::kButtonVerticalCentre
                                     : style::kButtonBottom;
  return horizontal | vertical;
}

// The kind's own styles and frame, beyond those every unit has.
WindowStyles KindStyles(const UnitRecord& unit) {
  switch (unit.kind) {
    case UnitKind::kLabel:
      return UnitFrameStyles(unit.label.border_style);
    case UnitKind::kButton: {
      std::uint32_t bits = style::kButtonPush | style::kButtonMultiline;
      if (On(unit.button.default_button)) bits |= style::kButtonDefault;
      return {bits | ButtonAlignment(unit.button), 0};
    }
    case UnitKind::kGroupBox:
      return {style::kButtonGroupBox, 0};
    case UnitKind::kProcessBar: {
      WindowStyles styles = UnitFrameStyles(unit.process_bar.border_style);
      if (On(unit.process_bar.vertical)) styles.style |= style::kProgressVertical;
      if (On(unit.process_bar.smooth)) styles.style |= style::kProgressSmooth;
      return styles;
    }
    case UnitKind::kWindow:
      break;
  }
  return {};
}

}  // namespace

WindowStyles FormWindowStyles(const WindowData& data) {
  WindowStyles styles{style::kClipChildren, 0};
  const std::int32_t frame = data.border_style;
  if (frame == kWindowNoFrame) {
    styles.style |= style::kPopup;
  } else {
    styles.style |= style::kDialogFrame;
    if (!data.title.empty() || On(data.control_box)) styles.style |= style::kCaption;
    if (frame == kWindowSizable || frame == kWindowSizableTool || frame == kWindowSizableEdged) {
      styles.style |= style::kSizingFrame;
    }
    if (frame == kWindowSizableTool || frame == kWindowFixedTool) {
      styles.ex_style |= style::kExToolWindow;
    }
    if (frame == kWindowSizableEdged || frame == kWindowFixedEdged) {
      styles.ex_style |= style::kExClientEdge;
    }
  }
  if (On(data.control_box)) styles.style |= style::kSystemMenu;
  if (On(data.maximize_box)) styles.style |= style::kMaximizeBox;
  if (On(data.minimize_box)) styles.style |= style::kMinimizeBox;
  if (data.start_position == kStartMinimized) styles.style |= style::kMinimize;
  if (data.start_position == kStartMaximized) styles.style |= style::kMaximize;
  return styles;
}

WindowStyles UnitFrameStyles(std::int32_t border_style) {
  switch (border_style) {
    case kFrameClientEdge: return {0, style::kExClientEdge};
    case kFrameRaised: return {0, style::kExModalFrame};
    case kFrameThinSunken: return {0, style::kExStaticEdge};
    case kFrameBothEdges: return {0, style::kExClientEdge | style::kExModalFrame};
    case kFrameLine: return {style::kBorder, 0};
    default: return {};
  }
}

WindowStyles ReplaceUnitFrame(WindowStyles current, std::int32_t border_style) {
  const WindowStyles frame = UnitFrameStyles(border_style);
  return {(current.style & ~kFrameBits) | frame.style,
          (current.ex_style & ~kFrameExBits) | frame.ex_style};
}

WindowStyles UnitControlStyles(const UnitRecord& unit) {
  WindowStyles styles = KindStyles(unit);
  styles.style |= style::kChild | style::kClipSiblings;
  if (unit.flags & kFlagDisabled) styles.style |= style::kDisabled;
  if (unit.flags & kFlagTabStop) styles.style |= style::kTabStop;
  return styles;
}

std::uint32_t LabelTextFormat(const LabelData& data) {
  std::uint32_t format = style::kTextNoPrefix;
  format |= data.horizontal_alignment == kAlignCentre ? style::kTextCentre
            : data.horizontal_alignment == kAlignFar  ? style::kTextRight
                                                      : style::kTextLeft;
  if (On(data.word_wrap)) return format | style::kTextWordBreak | style::kTextVerticalCentre;
  format |= style::kTextSingleLine;
  format |= data.vertical_alignment == kAlignNear  ? style::kTextTop
            : data.vertical_alignment == kAlignFar ? style::kTextBottom
                                                   : style::kTextVerticalCentre;
  return format;
}

int FormShowCommand(std::int32_t start_position) {
  if (start_position == kStartMinimized) return kShowMinimized;
  if (start_position == kStartMaximized) return kShowMaximized;
  return kShowNormal;
}

}  // namespace pelmora
