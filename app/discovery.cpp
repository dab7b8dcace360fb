#include "app/discovery.h"

#include "app/placement.h"
#include "runtime/files.h"
#include "runtime/registry.h"
#include "runtime/text.h"

namespace pelmora {
namespace {

constexpr std::int32_t kLocalMachine = 4;
constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kUninstallPrefix = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr std::uint32_t kNameBufferSize = 255;

// Closes the enumerated key on every way out of the scan.
class UninstallKey {
 public:
  UninstallKey() { CallRegOpenKeyA(kHkeyLocalMachine, kUninstallKey, &key_); }
  ~UninstallKey() { CallRegCloseKey(key_); }
  UninstallKey(const UninstallKey&) = delete;
  UninstallKey& operator=(const UninstallKey&) = delete;
  std::uint32_t get() const { return key_; }

 private:
  std::uint32_t key_ = 0;
};

Text ReadValue(TextView key_path, const char* value_path) {
  return ReadRegistryText(kLocalMachine, JoinTexts({key_path, value_path}));
}

// The folder of an entry's uninstall command, up to and including its last
// backslash, without double quotes.
Text EntryFolder(TextView entry_key_path) {
  Text command = ReadValue(entry_key_path, "\\UninstallString");
  std::int32_t last = FindTextFromEnd(command, "\\", std::nullopt, LetterCase::kExact);
  Text folder = LeftText(command, last);
  return ReplaceSubtext(folder, "\"", TextView(""), std::nullopt, std::nullopt,
                        LetterCase::kExact);
}

bool Contains(TextView text, TextView part, LetterCase letters) {
  return FindText(text, part, std::nullopt, letters) != -1;
}

void ShowMathTypeMissing(WorkflowRun& run) {
  run.Show(messages::kMathTypeMissing);
  run.math_type_missing_shown = true;
}

// Steps 7 to 12 for one subkey that passed the name filters. Returns false
// when the window was closed meanwhile.
bool ExamineEntry(WorkflowRun& run, TextView key_path, bool* wps_found) {
  Text command = TrimBlanks(ReadValue(key_path, "\\UninstallString"));
  if (CompareTexts(command, "") == 0) return true;
  if (!RegistryItemExists(kLocalMachine, JoinTexts({key_path, "\\DisplayName"}))) return true;
  Text display_name = ReadValue(key_path, "\\DisplayName");

  run.PumpEvents();
  if (run.Stopped()) return false;

  if (Contains(display_name, "mathtype", LetterCase::kIgnore)) {
    Text publisher = ReadValue(key_path, "\\Publisher");
    if (Contains(publisher, "WIRIS", LetterCase::kIgnore)) {
      TakeMathTypeEntry(run, key_path);
      if (run.Stopped()) return false;
      run.SetProgress(20);
    } else {
      ShowMathTypeMissing(run);
    }
  }
  if (run.Stopped()) return false;

  if (Contains(display_name, "wps", LetterCase::kIgnore)) {
    Text publisher = ReadValue(key_path, "\\Publisher");
    if (Contains(publisher, "Kingsoft", LetterCase::kIgnore)) {
      run.SetProgress(40);
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
  bool wps_found = false;

  for (std::uint32_t index = 0;; ++index) {
    std::int32_t result = CallRegEnumKeyA(key.get(), index, name_buffer.mutable_block(),
                                          kNameBufferSize);
    // A name too long for the buffer must not hide the entries after it.
    if (result == kErrorMoreData) continue;
    if (result != 0) break;

    TextView name(name_buffer.c_str());
    Text key_path = JoinTexts({kUninstallPrefix, name});
    if (!Contains(name, "}.KB", LetterCase::kExact) && !Contains(name, "{9", LetterCase::kExact)) {
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
  Text desktop = GetSpecialFolder(3);
  SearchDesktopShortcut(run, desktop);
}

void TakeMathTypeEntry(WorkflowRun& run, TextView entry_key_path) {
  Text folder = EntryFolder(entry_key_path);
  WorkflowPaths& paths = Paths();
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
  Text folder = EntryFolder(entry_key_path);
  folder = ReplaceSubtext(folder, "utility\\", TextView(""), std::nullopt, std::nullopt,
                          LetterCase::kIgnore);
  WorkflowPaths& paths = Paths();
  paths.wps_startup_folder = JoinTexts({folder, "office6\\startup"});
  paths.wps_office6_folder = JoinTexts({folder, "office6"});
  if (!FileExists(paths.wps_startup_folder)) run.Show(messages::kWpsFolderMissing);
}

}  // namespace pelmora
