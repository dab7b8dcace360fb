#include "app/shared_boxes.h"

namespace pelmora {

void ShowWpsAbsence(RunContext& run, WpsAbsence absence) {
  run.Log(messages::kLogNoWps);
  // Deployment tools run the program as a service account, whose own
  // registry and desktop are the only ones it sees.
  if (!run.Attended()) run.Log(messages::kLogUnattendedAccount);
  run.Show(absence == WpsAbsence::kNoShortcut ? messages::kNoDesktopShortcut
                                              : messages::kNoVersionFolder);
}

bool TellPairGap(RunContext& run, const PairForWps& chosen) {
  if (chosen.gap == PairGap::kNone) return true;
  run.Log(messages::kLogPairIncomplete, {BoxText().AppendSystem(chosen.MissingFile())});
  run.Show(chosen.gap == PairGap::kTemplate ? messages::kTemplateMissing : messages::kAddInMissing);
  return false;
}

}  // namespace pelmora
