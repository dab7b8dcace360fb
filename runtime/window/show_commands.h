// How a window is shown, as the system numbers it (ShowWindow's command):
// for a program the dialog commands start and for the form's own window.
// One set of numbers for both, checked against the SDK by the dialog
// adapter.
#pragma once

namespace pelmora {

constexpr int kShowHidden = 0;
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;
constexpr int kShowNormalNotActivated = 4;
constexpr int kShowMinimizedNotActivated = 6;

}  // namespace pelmora
