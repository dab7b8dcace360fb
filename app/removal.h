// Taking the MathType panel out of WPS again: the files the embedding
// placed are found where the embedding would place them, listed in a
// question, deleted once the user agrees, and every one that stays is
// named with the system's reason.
#pragma once

#include "app/workflow_ui.h"

namespace pelmora {

enum class RemovalOutcome {
  kRemoved,          // every listed file is gone
  kNothingToRemove,  // WPS holds none of the panel's files
  kDeclined,         // No to the question, or Cancel while WPS was open
  kWpsRunning,       // WPS was open and nobody was there to close it
  kNotAllRemoved,    // some files are still there
  kWpsNotFound,      // nowhere to look; the locator said so
  kStopped,          // the window was closed meanwhile
  kBusy,             // another run was in progress; nothing was done
};

// One removal with its boxes; unattended, without a question and without
// waiting for WPS. Nothing of the window changes but the boxes:
// the progress bar keeps its position.
RemovalOutcome RemovePanel(WorkflowUi& ui);

// From the main window's system menu.
void RemovePanelFromMenu();

// For `pelmora.exe /remove`: 0 when the panel was removed or there was
// nothing to remove. Otherwise 1 with a person at the screen; unattended,
// 3 without WPS, 1603 when a file stayed, 1618 while WPS runs.
int RemovalExitCode(RemovalOutcome outcome, bool attended);

}  // namespace pelmora
