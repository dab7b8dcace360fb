// Opening a web page through the shell of the desktop the user is logged
// on to, rather than our own. Included only by *_win32.cpp files.
#pragma once

namespace pelmora::win32 {

// Asks the desktop's shell (Explorer) to open `address`, so the browser
// starts as the user at the desktop: one started by this elevated program
// would run elevated too, with every page it shows. False when there is no
// desktop shell to ask (a service's session, Wine) or it declines; OLE
// must have been started on this thread.
[[nodiscard]] bool OpenThroughDesktopShell(const char* address);

}  // namespace pelmora::win32
