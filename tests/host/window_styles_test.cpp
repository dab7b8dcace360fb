// How stored settings become the platform's styles: window frames, unit
// frames, control styles, label text formats and the first show. The
// adapter passes these numbers on unchanged, so this is where a frame or an
// alignment that comes out wrong is caught.
#include "runtime/window/window_styles.h"

#include <gtest/gtest.h>

namespace pelmora {
namespace {

bool Has(std::uint32_t bits, std::uint32_t wanted) { return (bits & wanted) == wanted; }
bool Lacks(std::uint32_t bits, std::uint32_t unwanted) { return (bits & unwanted) == 0; }

WindowData Frame(std::int32_t border_style) {
  WindowData data;
  data.border_style = border_style;
  data.title = "Pelmora";
  return data;
}

TEST(FormWindowStyles, TheMainWindowIsAFixedDialogWithCaptionMenuAndMinimizeBox) {
  const WindowStyles styles = FormWindowStyles(Frame(2));  // the stored defaults
  EXPECT_TRUE(Has(styles.style, style::kDialogFrame | style::kCaption | style::kSystemMenu |
                                    style::kMinimizeBox | style::kClipChildren));
  EXPECT_TRUE(Lacks(styles.style, style::kSizingFrame | style::kMaximizeBox | style::kPopup |
                                      style::kMinimize | style::kMaximize));
  EXPECT_EQ(styles.ex_style, 0u);
}

TEST(FormWindowStyles, EachBorderStyleGivesItsFrame) {
  EXPECT_TRUE(Has(FormWindowStyles(Frame(0)).style, style::kPopup));
  EXPECT_TRUE(Lacks(FormWindowStyles(Frame(0)).style, style::kDialogFrame | style::kCaption));
  for (std::int32_t sizable : {1, 3, 5}) {
    EXPECT_TRUE(Has(FormWindowStyles(Frame(sizable)).style, style::kSizingFrame)) << sizable;
  }
  for (std::int32_t fixed : {2, 4, 6}) {
    EXPECT_TRUE(Lacks(FormWindowStyles(Frame(fixed)).style, style::kSizingFrame)) << fixed;
  }
  for (std::int32_t tool : {3, 4}) {
    EXPECT_EQ(FormWindowStyles(Frame(tool)).ex_style, style::kExToolWindow) << tool;
  }
  for (std::int32_t edged : {5, 6}) {
    EXPECT_EQ(FormWindowStyles(Frame(edged)).ex_style, style::kExClientEdge) << edged;
  }
}

TEST(FormWindowStyles, ACaptionNeedsATitleOrAControlBox) {
  WindowData bare = Frame(2);
  bare.title.clear();
  bare.control_box = 0;
  // A caption is the dialog frame's bit and the border bit together.
  EXPECT_FALSE(Has(FormWindowStyles(bare).style, style::kCaption));
  EXPECT_TRUE(Lacks(FormWindowStyles(bare).style, style::kSystemMenu));
  bare.control_box = 1;
  EXPECT_TRUE(Has(FormWindowStyles(bare).style, style::kCaption | style::kSystemMenu));
}

TEST(FormWindowStyles, StartPositionMinimizesOrMaximizesAndShowsAlike) {
  WindowData data = Frame(1);
  data.start_position = kStartMinimized;
  EXPECT_TRUE(Has(FormWindowStyles(data).style, style::kMinimize));
  EXPECT_EQ(FormShowCommand(kStartMinimized), kShowMinimized);
  data.start_position = kStartMaximized;
  EXPECT_TRUE(Has(FormWindowStyles(data).style, style::kMaximize));
  EXPECT_EQ(FormShowCommand(kStartMaximized), kShowMaximized);
  EXPECT_EQ(FormShowCommand(kStartCentred), kShowNormal);
  EXPECT_EQ(FormShowCommand(kStartAsStored), kShowNormal);
}

TEST(UnitFrames, EachBorderStyleGivesItsEdges) {
  EXPECT_EQ(UnitFrameStyles(0).style | UnitFrameStyles(0).ex_style, 0u);
  EXPECT_EQ(UnitFrameStyles(1).ex_style, style::kExClientEdge);
  EXPECT_EQ(UnitFrameStyles(2).ex_style, style::kExModalFrame);
  EXPECT_EQ(UnitFrameStyles(3).ex_style, style::kExStaticEdge);
  EXPECT_EQ(UnitFrameStyles(4).ex_style, style::kExClientEdge | style::kExModalFrame);
  EXPECT_EQ(UnitFrameStyles(5).style, style::kBorder);
  EXPECT_EQ(UnitFrameStyles(5).ex_style, 0u);
}

TEST(UnitFrames, ANewFrameReplacesTheOldOneAndKeepsEverythingElse) {
  const WindowStyles both_edges{style::kChild | style::kTabStop,
                                style::kExClientEdge | style::kExModalFrame};
  const WindowStyles line = ReplaceUnitFrame(both_edges, 5);
  EXPECT_EQ(line.style, style::kChild | style::kTabStop | style::kBorder);
  EXPECT_EQ(line.ex_style, 0u);
  const WindowStyles none = ReplaceUnitFrame(line, 0);
  EXPECT_EQ(none.style, style::kChild | style::kTabStop);
  EXPECT_EQ(none.ex_style, 0u);
}

UnitRecord UnitOf(UnitKind kind) {
  UnitRecord unit;
  unit.kind = kind;
  unit.flags = kFlagVisible;
  return unit;
}

TEST(UnitControlStyles, EveryUnitIsAClippedChildWithItsFlags) {
  UnitRecord button = UnitOf(UnitKind::kButton);
  const std::uint32_t plain = UnitControlStyles(button).style;
  EXPECT_TRUE(Has(plain, style::kChild | style::kClipSiblings));
  EXPECT_TRUE(Lacks(plain, style::kDisabled | style::kTabStop));
  button.flags |= kFlagDisabled | kFlagTabStop;
  EXPECT_TRUE(Has(UnitControlStyles(button).style, style::kDisabled | style::kTabStop));
}

TEST(UnitControlStyles, ButtonsTakeTheirAlignmentAndDefaultFromTheirData) {
  UnitRecord button = UnitOf(UnitKind::kButton);  // stored: centred both ways
  std::uint32_t bits = UnitControlStyles(button).style;
  EXPECT_TRUE(Has(bits, style::kButtonMultiline | style::kButtonCentre |
                            style::kButtonVerticalCentre));
  EXPECT_TRUE(Lacks(bits, style::kButtonDefault));
  button.button.default_button = 1;
  button.button.horizontal_alignment = 0;
  button.button.vertical_alignment = 0;
  bits = UnitControlStyles(button).style;
  EXPECT_TRUE(Has(bits, style::kButtonDefault | style::kButtonLeft | style::kButtonTop));
  EXPECT_TRUE(Lacks(bits, style::kButtonRight | style::kButtonBottom));
  button.button.horizontal_alignment = 2;
  button.button.vertical_alignment = 7;  // any other value: the far side
  bits = UnitControlStyles(button).style;
  EXPECT_TRUE(Has(bits, style::kButtonRight | style::kButtonBottom));
}

TEST(UnitControlStyles, GroupBoxesProgressBarsAndLabelsTakeTheirOwnStyles) {
  EXPECT_TRUE(Has(UnitControlStyles(UnitOf(UnitKind::kGroupBox)).style, style::kButtonGroupBox));

  UnitRecord bar = UnitOf(UnitKind::kProcessBar);  // stored: thin sunken frame
  EXPECT_EQ(UnitControlStyles(bar).ex_style, style::kExStaticEdge);
  EXPECT_TRUE(Lacks(UnitControlStyles(bar).style,
                    style::kProgressVertical | style::kProgressSmooth));
  bar.process_bar.vertical = 1;
  bar.process_bar.smooth = 1;
  EXPECT_TRUE(Has(UnitControlStyles(bar).style,
                  style::kProgressVertical | style::kProgressSmooth));

  UnitRecord label = UnitOf(UnitKind::kLabel);
  label.label.border_style = 5;
  EXPECT_TRUE(Has(UnitControlStyles(label).style, style::kBorder));
}

TEST(LabelTextFormat, SingleLineLabelsAlignBothWays) {
  LabelData data;  // stored defaults: left, centred vertically, no wrap
  EXPECT_EQ(LabelTextFormat(data),
            style::kTextNoPrefix | style::kTextLeft | style::kTextSingleLine |
                style::kTextVerticalCentre);
  data.horizontal_alignment = 1;
  data.vertical_alignment = 0;
  EXPECT_EQ(LabelTextFormat(data),
            style::kTextNoPrefix | style::kTextCentre | style::kTextSingleLine | style::kTextTop);
  data.horizontal_alignment = 2;
  data.vertical_alignment = 2;
  EXPECT_EQ(LabelTextFormat(data),
            style::kTextNoPrefix | style::kTextRight | style::kTextSingleLine | style::kTextBottom);
}

TEST(LabelTextFormat, WrappedLabelsBreakWordsAndIgnoreVerticalAlignment) {
  LabelData data;
  data.word_wrap = 1;
  data.vertical_alignment = 2;
  const std::uint32_t format = LabelTextFormat(data);
  EXPECT_TRUE(Has(format, style::kTextWordBreak | style::kTextVerticalCentre));
  EXPECT_TRUE(Lacks(format, style::kTextSingleLine | style::kTextBottom));
}

}  // namespace
}  // namespace pelmora
