// Whether WPS still runs from its install: a running WPS holds the add-in,
// and would only read new start-up files after a restart anyway.
#pragma once

#include "app/run_context.h"
#include "runtime/text/values.h"

namespace pelmora {

// Returns true once no WPS program that a user opens (wps.exe,
// wpsoffice.exe, et.exe, wpp.exe) runs from inside the folder above
// `version_folder`; until then asks "WPS正在运行" with Retry and Cancel.
// False when the user cancelled (or closed the box), the window was
// closed, or nobody is at the screen to close WPS: then nothing may be
// changed in WPS's folders.
bool WaitUntilWpsClosed(RunContext& run, TextView version_folder);

// Whether one of those programs runs from there now; never waits or asks.
[[nodiscard]] bool WpsProgramRuns(TextView version_folder);

}  // namespace pelmora
