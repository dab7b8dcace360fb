#include "app/discovery.h"

#include "app/shared_boxes.h"
#include "runtime/system/files.h"
#include "runtime/system/system_path.h"

namespace pelmora {
namespace {

void TellWpsFound(RunContext& run, const WpsFolders& wps) {
  run.SetProgress(kProgressWpsFound);
  if (!PathExists(wps.startup)) run.Show(messages::kWpsFolderMissing);
}

// False when the window was closed meanwhile.
bool TellFinding(RunContext& run, const ListFinding& finding) {
  switch (finding.kind) {
    case ListFinding::Kind::kMathType7:
      run.SetProgress(kProgressMathTypeFound);
      break;
    case ListFinding::Kind::kOtherMathType:
      run.Show(messages::kMathTypeMissing);
      break;
    case ListFinding::Kind::kWps:
      TellWpsFound(run, finding.wps);
      break;
    case ListFinding::Kind::kOtherWps:
      run.Show(messages::kWpsMissing);
      break;
  }
  return !run.Stopped();
}

}  // namespace

std::optional<Installations> TellInstallations(RunContext& run, Findings found) {
  Installations installations;
  for (const ListFinding& finding : found.machine_list) {
    if (!TellFinding(run, finding)) return std::nullopt;
    if (finding.kind == ListFinding::Kind::kOtherMathType) {
      installations.math_type_missing_shown = true;
    }
  }
  installations.math_type_folder = found.MathTypeFolder();
  if (installations.math_type_folder) {
    run.Log(messages::kLogMathTypeFolder,
            {BoxText().AppendSystem(WithoutTrailingBackslash(*installations.math_type_folder))});
  } else {
    run.Log(messages::kLogNoMathType);
  }

  if (!found.wps) {
    ShowWpsAbsence(run, found.wps_absence);
    return std::nullopt;
  }
  run.Log(messages::kLogWpsFolder, {BoxText().AppendSystem(found.wps->folders.version),
                                    WpsPlaceName(found.wps->place)});
  // The registry's other places count as the scan's own finding; the
  // shortcut leaves the bar and the start-up folder unchecked.
  const WpsPlace place = found.wps->place;
  if (place != WpsPlace::kMachineList && place != WpsPlace::kDesktopShortcut) {
    TellWpsFound(run, found.wps->folders);
  }
  if (run.Stopped()) return std::nullopt;
  installations.wps = std::move(found.wps->folders);
  return installations;
}

}  // namespace pelmora
