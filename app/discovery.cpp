#include "app/discovery.h"

#include "app/placement.h"
#include "app/uninstall_entries.h"
#include "app/wps_sources.h"
#include "runtime/files.h"
#include "runtime/registry.h"
#include "runtime/text.h"
#include "runtime/unique_resource.h"

namespace pelmora {
namespace {

constexpr std::uint32_t kNameBufferSize = 255;

// Closes the enumerated key on every way out of the scan; a key that failed
// to open stays 0 and is never closed.
using UninstallKey = UniqueResource<std::uint32_t, CallRegCloseKey>;

Text ReadValue(TextView key_path, const char* value_path) {
  return ReadEntryValue(kMachineUninstallList, key_path, value_path);
}

void ShowMathTypeMissing(WorkflowRun& run) {
  run.Show(messages::kMathTypeMissing);
  run.math_type_missing_shown = true;
}

// The checks and boxes for one subkey that passed the name filters. Returns false
// when the window was closed meanwhile.
bool ExamineEntry(WorkflowRun& run, TextView key_path, bool* wps_found) {
  Text command = TrimBlanks(ReadValue(key_path, "\\UninstallString"));
  if (CompareTexts(command, "") == 0) return true;
  if (!EntryValueExists(kMachineUninstallList, key_path, "\\DisplayName")) return true;
  Text display_name = ReadValue(key_path, "\\DisplayName");

  run.PumpEvents();
  if (run.Stopped()) return false;

  if (ContainsText(display_name, "mathtype", LetterCase::kIgnore)) {
    Text publisher = ReadValue(key_path, "\\Publisher");
    if (ContainsText(publisher, "WIRIS", LetterCase::kIgnore)) {
      TakeMathTypeEntry(run, key_path);
      if (run.Stopped()) return false;
      run.SetProgress(kProgressMathTypeFound);
    } else {
      ShowMathTypeMissing(run);
    }
  }
  if (run.Stopped()) return false;

  if (ContainsText(display_name, "wps", LetterCase::kIgnore)) {
    Text publisher = ReadValue(key_path, "\\Publisher");
    if (ContainsText(publisher, "Kingsoft", LetterCase::kIgnore)) {
      run.SetProgress(kProgressWpsFound);
      *wps_found = true;
      TakeWpsEntry(run, key_path);
    } else {
      run.Show(messages::kWpsMissing);
    }
  }
  return !run.Stopped();
}

}  // namespace

void ScanUninstallEntries(WorkflowRun& run) {
  Text name_buffer = SpaceText(kNameBufferSize);
  UninstallKey key;
  // Not examined: a key that cannot be opened stays 0, and the first
  // enumeration then ends the scan.
  CallRegOpenKeyA(kHkeyLocalMachine, kUninstallKey, key.put());
  bool wps_found = false;

  for (std::uint32_t index = 0;; ++index) {
    std::int32_t result = CallRegEnumKeyA(key.get(), index, name_buffer.mutable_block(),
                                          kNameBufferSize);
    // A name too long for the buffer must not hide the entries after it.
    if (result == kErrorMoreData) continue;
    if (result != 0) break;

    TextView name(name_buffer.c_str());
    Text key_path = JoinTexts({kUninstallPrefix, name});
    if (PassesNameFilters(name)) {
      if (!ExamineEntry(run, key_path, &wps_found)) return;
    }
    run.PumpEvents();
    if (run.Stopped()) return;
  }

  if (wps_found) {
    // The entry already gave both WPS folders: place with the last one.
    PlaceComponents(run);
    return;
  }
  // The places the removal of the panel looks at too, in the same order;
  // they say nothing about entries that are not WPS.
  WpsRoute route;
  std::optional<Text> version_folder = LocateWpsAfterMachineList(run, &route);
  if (!version_folder || run.Stopped()) return;
  if (route == WpsRoute::kRegistry) {
    run.SetProgress(kProgressWpsFound);
    TakeWpsVersionFolder(run, *version_folder);
  } else {
    SetWpsFolders(*version_folder);
  }
  PlaceComponents(run);
}

void TakeMathTypeEntry(WorkflowRun& run, TextView entry_key_path) {
  Text folder = EntryFolder(kMachineUninstallList, entry_key_path);
  WorkflowPaths& paths = Paths();
  paths.math_type_folder = Text::From(folder);
  paths.math_type_template = JoinTexts({folder, "Office Support\\32\\MathType Commands 2016.dotm"});
  paths.math_type_add_in = JoinTexts({folder, "MathPage\\32\\MathPage.wll"});
  run.math_type_recognised = true;

  if (!FileExists(paths.math_type_template)) {
    run.Show(messages::kTemplateMissing);
  } else if (!FileExists(paths.math_type_add_in)) {
    run.Show(messages::kAddInMissing);
  }
}

void TakeWpsEntry(WorkflowRun& run, TextView entry_key_path) {
  Text folder = WpsFolderOfEntry(kMachineUninstallList, entry_key_path);
  WorkflowPaths& paths = Paths();
  // The folder ends in its backslash (when the command had one at all).
  paths.wps_version_folder = LeftText(folder, TextLength(folder) - 1);
  paths.wps_startup_folder = JoinTexts({folder, "office6\\startup"});
  paths.wps_office6_folder = JoinTexts({folder, "office6"});
  if (!FileExists(paths.wps_startup_folder)) run.Show(messages::kWpsFolderMissing);
}

}  // namespace pelmora
