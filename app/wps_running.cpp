#include "app/wps_running.h"

#include <cstddef>

#include "runtime/window/dialogs.h"
#include "runtime/system/process_list.h"
#include "runtime/system/system_path.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

// The programs a user opens documents in. Background services (the cloud
// and update services) outlive the windows and hold none of our files, so
// they are not waited for.
constexpr const char* kWpsPrograms[] = {"wps.exe", "wpsoffice.exe", "et.exe", "wpp.exe"};

constexpr std::int32_t kRetryCancelWarning = kBoxRetryCancel | kBoxIconWarning;

}  // namespace

// The folder above the version folder holds every version of this WPS and
// its launcher; a program from any of them keeps the add-in's users open.
// A version folder without a folder above names no place a program could
// run from.
bool WpsProgramRuns(TextView version_folder) {
  Text above = ParentFolder(version_folder);
  if (above.empty()) return false;
  return ProgramRunsInside(above, kWpsPrograms, sizeof kWpsPrograms / sizeof kWpsPrograms[0]);
}

bool WaitUntilWpsClosed(RunContext& run, TextView version_folder) {
  for (;;) {
    if (run.Stopped()) return false;
    const bool runs = WpsProgramRuns(version_folder);
    run.Log(messages::kLogWpsRunning, {runs ? messages::kStatusYes : messages::kStatusNo});
    if (!runs) return true;
    // Nobody could close WPS: the run ends at once, to be tried again later.
    if (!run.Attended()) return false;
    std::int32_t answer = run.Show(messages::kWpsRunning, kRetryCancelWarning);
    // Cancel, the close box and Esc all end the run.
    if (run.Stopped() || answer != kButtonRetry) return false;
  }
}

}  // namespace pelmora
