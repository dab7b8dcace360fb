// The program's exit codes, for deployment tools that judge a run by its
// code. Windows Installer's numbers where the meaning is the same, so those
// tools treat them right without configuration (1618 is retried by
// default). The usage box, the README and the user guide show this table.
#pragma once

namespace pelmora {

enum ExitCode : int {
  kExitDone = 0,                 // embedded, removed, nothing to do, or the check found it embedded
  kExitNotDone = 1,              // the check found it not embedded; a removal ended without removing
  kExitNoMathType = 2,           // MathType 7 not found, or it lacks a file of the pair WPS needs
  kExitNoWps = 3,                // WPS not found
  kExitFileFailed = 1603,        // a file could not be placed or deleted
  kExitTryLater = 1618,          // WPS runs, or another run of the program is under way
  kExitLogUnwritable = 1622,     // the log file cannot be opened
  kExitInvalidCommandLine = 1639,
};

}  // namespace pelmora
