#include "app/discovery.h"

#include "app/finder.h"
#include "runtime/system/files.h"
#include "runtime/system/system_path.h"

namespace pelmora {
namespace {

void TellWpsFound(WorkflowRun& run, const WpsFolders& wps) {
  run.SetProgress(kProgressWpsFound);
  if (!FileExists(wps.startup)) run.Show(messages::kWpsFolderMissing);
}

// False when the window was closed meanwhile.
bool TellFinding(WorkflowRun& run, const ListFinding& finding) {
  switch (finding.kind) {
    case ListFinding::Kind::kMathType7:
      static_cast<void>(
          TellPairGap(run, MathTypePairFor(finding.math_type_folder, ProgramBitness::k32Bit)));
      if (run.Stopped()) return false;
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

// The template's box alone when both are missing.
bool TellPairGap(WorkflowRun& run, const MathTypePair& pair) {
  switch (MissingFromPair(pair)) {
    case PairGap::kTemplate:
      run.Log(messages::kLogPairIncomplete, {BoxText().AppendSystem(pair.template_file)});
      run.Show(messages::kTemplateMissing);
      return false;
    case PairGap::kAddIn:
      run.Log(messages::kLogPairIncomplete, {BoxText().AppendSystem(pair.add_in)});
      run.Show(messages::kAddInMissing);
      return false;
    case PairGap::kNone:
      break;
  }
  return true;
}

void ShowWpsAbsence(WorkflowRun& run, WpsAbsence absence) {
  run.Log(messages::kLogNoWps);
  // Deployment tools run the program as a service account, whose own
  // registry and desktop are the only ones it sees.
  if (!run.Attended()) run.Log(messages::kLogUnattendedAccount);
  run.Show(absence == WpsAbsence::kNoShortcut ? messages::kNoDesktopShortcut
                                              : messages::kNoVersionFolder);
}

std::optional<Installations> FindMathTypeAndWps(WorkflowRun& run) {
  std::optional<Findings> found = FindInstallations(run);
  if (!found) return std::nullopt;

  Installations installations;
  for (const ListFinding& finding : found->machine_list) {
    if (!TellFinding(run, finding)) return std::nullopt;
    if (finding.kind == ListFinding::Kind::kOtherMathType) {
      installations.math_type_missing_shown = true;
    }
  }
  installations.math_type_folder = found->MathTypeFolder();
  if (installations.math_type_folder) {
    run.Log(messages::kLogMathTypeFolder,
            {BoxText().AppendSystem(WithoutTrailingBackslash(*installations.math_type_folder))});
  } else {
    run.Log(messages::kLogNoMathType);
  }

  if (!found->wps) {
    ShowWpsAbsence(run, found->wps_absence);
    return std::nullopt;
  }
  run.Log(messages::kLogWpsFolder, {BoxText().AppendSystem(found->wps->folders.version),
                                    WpsPlaceName(found->wps->place)});
  // The registry's other places count as the scan's own finding; the
  // shortcut leaves the bar and the start-up folder unchecked.
  const WpsPlace place = found->wps->place;
  if (place != WpsPlace::kMachineList && place != WpsPlace::kDesktopShortcut) {
    TellWpsFound(run, found->wps->folders);
  }
  if (run.Stopped()) return std::nullopt;
  installations.wps = std::move(found->wps->folders);
  return installations;
}

}  // namespace pelmora
