#include "runtime/window/display_scale.h"

#include <cstdint>

namespace pelmora::scale {

std::int32_t MulDivRounded(std::int32_t number, std::int32_t numerator,
                           std::int32_t denominator) {
  if (denominator == 0) return -1;
  std::int64_t product = std::int64_t{number} * numerator;
  std::int64_t divisor = denominator;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  // Half the divisor added to the magnitude: halves round away from zero.
  const std::int64_t half = divisor / 2;
  const std::int64_t result = product >= 0 ? (product + half) / divisor
                                           : (product - half) / divisor;
  if (result > INT32_MAX || result < -INT32_MAX) return -1;
  return static_cast<std::int32_t>(result);
}

std::int32_t ToDpi(std::int32_t length, std::int32_t dpi) {
  return MulDivRounded(length, dpi, kFormDpi);
}

Rect RectToDpi(const Rect& form_rect, std::int32_t dpi) {
  return {ToDpi(form_rect.left, dpi), ToDpi(form_rect.top, dpi), ToDpi(form_rect.width, dpi),
          ToDpi(form_rect.height, dpi)};
}

Size OuterSize(Size client, const Frame& frame) {
  return {client.width + frame.left + frame.right, client.height + frame.top + frame.bottom};
}

Size OuterSizeAtDpi(Size stored_outer, const Frame& frame_at_form_dpi, const Frame& frame_at_dpi,
                    std::int32_t dpi) {
  const Size client_at_form_dpi = {
      stored_outer.width - frame_at_form_dpi.left - frame_at_form_dpi.right,
      stored_outer.height - frame_at_form_dpi.top - frame_at_form_dpi.bottom};
  const Size client = {ToDpi(client_at_form_dpi.width, dpi),
                       ToDpi(client_at_form_dpi.height, dpi)};
  return OuterSize(client, frame_at_dpi);
}

Frame FrameToDpi(const Frame& frame, std::int32_t from_dpi, std::int32_t to_dpi) {
  return {MulDivRounded(frame.left, to_dpi, from_dpi), MulDivRounded(frame.top, to_dpi, from_dpi),
          MulDivRounded(frame.right, to_dpi, from_dpi),
          MulDivRounded(frame.bottom, to_dpi, from_dpi)};
}

}  // namespace pelmora::scale
