// How a run ended, and the one table that turns that into the program's
// exit code.
#pragma once

#include "app/exit_codes.h"

namespace pelmora {

enum class RunOutcome {
  kDone,        // embedded (or already), removed (or nothing to remove), checked embedded
  kNotDone,     // the check found it not embedded; No to the removal's question
  kNoMathType,  // MathType 7 not found, or it lacks a file of the pair WPS needs
  kNoWps,       // WPS found nowhere
  kFileFailed,  // a file could not be placed or deleted
  kWpsRunning,  // WPS runs and nobody closed it
  kBusy,        // another run holds the lock; nothing was done
  kStopped,     // the window was closed meanwhile
};

// Of two WPS's outcomes in one run, the one the run's code reports: a file
// that failed first, then MathType lacking a file some WPS needs, then a
// WPS left alone because it runs, then one not done.
[[nodiscard]] RunOutcome WorseOutcome(RunOutcome first, RunOutcome second);

// With a person at the screen the boxes said why, and the code only tells
// done from not done; unattended, the code is all a deployment tool reads.
[[nodiscard]] ExitCode ExitCodeOf(RunOutcome outcome, bool attended);

}  // namespace pelmora
