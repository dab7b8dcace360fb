// How the form's 96-DPI geometry becomes pixels at the window's DPI. The
// stored form keeps 96-DPI units so one description serves every display;
// these rules are the only place that turns them into real pixels, and
// they round as the platform's MulDiv does so a value scaled here matches
// what the system would compute for the same numbers.
#pragma once

#include <cstdint>

namespace pelmora::scale {

// The DPI the form's coordinates are written for (100 % display scale).
constexpr std::int32_t kFormDpi = 96;

// number * numerator / denominator through 64 bits, rounded to the nearest
// integer with halves away from zero; -1 for a zero denominator or a
// result outside 32 bits, as MulDiv gives.
[[nodiscard]] std::int32_t MulDivRounded(std::int32_t number, std::int32_t numerator,
                                         std::int32_t denominator);

// A 96-DPI length at `dpi`.
[[nodiscard]] std::int32_t ToDpi(std::int32_t length, std::int32_t dpi);

struct Rect {
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
  }
};

// Each of the four numbers scaled on its own, so a unit keeps the size the
// form gives it wherever it sits; neighbours may then meet 1 px apart.
[[nodiscard]] Rect RectToDpi(const Rect& form_rect, std::int32_t dpi);

// How far the window's frame (borders and caption) reaches past the
// client area on each side, in pixels.
struct Frame {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct Size {
  std::int32_t width = 0, height = 0;
  friend bool operator==(const Size& a, const Size& b) {
    return a.width == b.width && a.height == b.height;
  }
};

[[nodiscard]] Size OuterSize(Size client, const Frame& frame);

// The form stores the window's outer size for 96 DPI. Its client area is
// that size less the 96-DPI frame; the client area is what scales, and the
// frame at `dpi` (whose caption grows by its own rule, not by the factor)
// goes around it. At 96 DPI this gives the stored size back unchanged.
[[nodiscard]] Size OuterSizeAtDpi(Size stored_outer, const Frame& frame_at_form_dpi,
                                  const Frame& frame_at_dpi, std::int32_t dpi);

// A frame measured at one DPI, estimated at another, for systems that can
// only measure it at their own DPI.
[[nodiscard]] Frame FrameToDpi(const Frame& frame, std::int32_t from_dpi, std::int32_t to_dpi);

}  // namespace pelmora::scale
