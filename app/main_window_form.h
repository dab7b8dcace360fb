// The numbers the program shares with its form source
// (resources/main_window.form): the window and the unit it writes to, and
// its handlers by number and by the name the source gives them. The form
// compiler stores these handler numbers; the program binds each number to
// its routine by the same names, so reordering the list cannot bind a unit
// to the wrong routine.
#pragma once

#include <cstdint>
#include <iterator>

namespace pelmora {

constexpr std::int32_t kMainWindowId = 0x52010001;
// 进度条1, the progress bar a run moves.
constexpr std::int32_t kProgressBarUnit = 0x16010005;

enum MainWindowHandler : std::int32_t {
  kOnNoticeCreated,
  kOnStoreLinkPressed,
  kOnProductLinkPressed,
  kOnStartClicked,
  kMainWindowHandlerCount,
};

struct NamedHandler {
  const char* name;
  MainWindowHandler handler;
};

inline constexpr NamedHandler kMainWindowHandlerNames[] = {
    {"OnNoticeCreated", kOnNoticeCreated},
    {"OnStoreLinkPressed", kOnStoreLinkPressed},
    {"OnProductLinkPressed", kOnProductLinkPressed},
    {"OnStartClicked", kOnStartClicked},
};
static_assert(std::size(kMainWindowHandlerNames) == kMainWindowHandlerCount,
              "every handler has its name in the form source");

}  // namespace pelmora
