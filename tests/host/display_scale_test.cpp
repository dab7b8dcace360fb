// The scaling rule that turns the form's 96-DPI geometry into pixels:
// MulDiv's rounding, the main window's units at the common display scales,
// and the outer size built around the scaled client area.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "form_units.h"
#include "runtime/window/display_scale.h"

namespace pelmora::scale {
namespace {

TEST(MulDivRounding, HalvesGoAwayFromZeroAndFailuresAreMinusOne) {
  EXPECT_EQ(MulDivRounded(7, 144, 96), 11);    // 10.5
  EXPECT_EQ(MulDivRounded(-7, 144, 96), -11);  // -10.5
  EXPECT_EQ(MulDivRounded(7, -144, 96), -11);
  EXPECT_EQ(MulDivRounded(-7, 144, -96), 11);
  EXPECT_EQ(MulDivRounded(1, 48, 96), 1);      // 0.5
  EXPECT_EQ(MulDivRounded(151, 120, 96), 189);  // 188.75
  EXPECT_EQ(MulDivRounded(201, 120, 96), 251);  // 251.25
  // The product would overflow 32 bits; the quotient does not.
  EXPECT_EQ(MulDivRounded(0x40000000, 192, 96), -1);
  EXPECT_EQ(MulDivRounded(0x40000000, 96, 192), 0x20000000);
  EXPECT_EQ(MulDivRounded(5, 1, 0), -1);
}

// The main window's units as the form stores them.
std::vector<Rect> UnitRects() {
  std::vector<Rect> rects;
  for (const UnitRecord& unit : testing::MainWindow().units) {
    if (unit.kind != UnitKind::kWindow) rects.push_back(testing::RectOf(unit));
  }
  return rects;
}

TEST(UnitRectangles, UnchangedAt96AndDoubledAt192) {
  for (const Rect& unit : UnitRects()) {
    EXPECT_EQ(RectToDpi(unit, 96), unit);
    EXPECT_EQ(RectToDpi(unit, 192),
              (Rect{unit.left * 2, unit.top * 2, unit.width * 2, unit.height * 2}));
  }
}

TEST(UnitRectangles, StayWithinHalfAPixelOfTheExactProduct) {
  for (std::int32_t dpi : {96, 120, 144, 168, 192}) {
    for (const Rect& unit : UnitRects()) {
      const Rect scaled = RectToDpi(unit, dpi);
      const std::int32_t form[] = {unit.left, unit.top, unit.width, unit.height};
      const std::int32_t got[] = {scaled.left, scaled.top, scaled.width, scaled.height};
      for (int i = 0; i < 4; ++i) {
        const double exact = form[i] * dpi / 96.0;
        EXPECT_LE(got[i] - exact, 0.5) << dpi << " dpi, value " << form[i];
        EXPECT_GT(got[i] - exact, -0.5) << dpi << " dpi, value " << form[i];
      }
    }
  }
}

// A window of the rule's own, not the main window.
constexpr Size kStoredOuter = {300, 200};
// A fixed dialog frame with a caption: thin sides, the caption on top.
constexpr Frame kFrame96 = {3, 22, 3, 3};

TEST(OuterSize, ClientAreaScalesAndTheFrameAtThatDpiGoesAround) {
  EXPECT_EQ(OuterSize({294, 175}, kFrame96), kStoredOuter);

  // The stored size comes back unchanged at 96 DPI.
  EXPECT_EQ(OuterSizeAtDpi(kStoredOuter, kFrame96, kFrame96, 96), kStoredOuter);

  // Client 294 x 175 at 150 % is 441 x 262.5 -> 263; the caption at 144 DPI
  // is not 1.5 times the 96-DPI one, so the frame is taken as measured.
  const Frame frame144 = {4, 30, 4, 4};
  EXPECT_EQ(OuterSizeAtDpi(kStoredOuter, kFrame96, frame144, 144), (Size{449, 297}));
  // 125 %: 367.5 -> 368 wide, 218.75 -> 219 high.
  const Frame frame120 = {3, 26, 3, 3};
  EXPECT_EQ(OuterSizeAtDpi(kStoredOuter, kFrame96, frame120, 120), (Size{374, 248}));
  // 200 %, with a frame that is not symmetric left to right.
  const Frame frame192 = {6, 44, 5, 6};
  EXPECT_EQ(OuterSizeAtDpi(kStoredOuter, kFrame96, frame192, 192), (Size{599, 400}));
}

TEST(OuterSize, FrameMeasuredAtOneDpiIsEstimatedAtAnother) {
  const Frame at144 = {4, 33, 4, 5};
  const Frame at96 = FrameToDpi(at144, 144, 96);
  EXPECT_EQ(at96.left, 3);   // 2.67
  EXPECT_EQ(at96.top, 22);
  EXPECT_EQ(at96.bottom, 3);  // 3.33
  const Frame same = FrameToDpi(at144, 144, 144);
  EXPECT_EQ(same.top, 33);
  EXPECT_EQ(same.bottom, 5);
}

}  // namespace
}  // namespace pelmora::scale
