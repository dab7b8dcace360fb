// TEMPORARY STAND-IN for the WPS locator declared in app/wps_locator.h,
// so the removal of the panel builds and runs before the real locator
// (per-user and 64-bit WPS, InstallRoot, the newest version folder, the
// check for a running WPS) is merged. Delete this file at that merge.
//
// It knows only today's two places: the machine-wide uninstall entries
// (the last WPS entry wins, as in the embedding's scan), else the desktop
// shortcut with today's rule for the version folder (the last subfolder
// listed). It never waits for WPS to close.
#include "app/wps_locator.h"

#include <cstdint>

#include "runtime/files.h"
#include "runtime/registry.h"
#include "runtime/system_path.h"
#include "runtime/text.h"

namespace pelmora {
namespace {

constexpr std::int32_t kLocalMachine = 4;
constexpr std::int32_t kDesktopFolder = 3;
constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr std::uint32_t kNameBufferSize = 255;
constexpr FaultLocation kVersionRead = {0x00150001, 1};

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

bool Contains(TextView text, TextView part, bool ignore_case) {
  return FindText(text, part, std::nullopt, ignore_case) != -1;
}

Text ReadValue(TextView entry_key, const char* value_name) {
  return ReadRegistryText(kLocalMachine, JoinTexts({entry_key, "\\", value_name}));
}

Text WithoutTrailingBackslash(Text folder) {
  const char* last = FindLastPathBackslash(folder);
  if (last == nullptr || last[1] != '\0') return folder;
  return Text::FromBytes(folder.c_str(), folder.size() - 1);
}

// The entry's version folder when it is WPS's, by the scan's rules.
std::optional<Text> WpsEntryFolder(TextView entry_key) {
  Text command = ReadValue(entry_key, "UninstallString");
  if (TrimBlanks(command).empty()) return std::nullopt;
  if (!RegistryItemExists(kLocalMachine, JoinTexts({entry_key, "\\DisplayName"}))) {
    return std::nullopt;
  }
  if (!Contains(ReadValue(entry_key, "DisplayName"), "wps", true)) return std::nullopt;
  if (!Contains(ReadValue(entry_key, "Publisher"), "Kingsoft", true)) return std::nullopt;
  Text folder = LeftText(command, FindTextFromEnd(command, "\\", std::nullopt, false));
  folder = ReplaceSubtext(folder, "\"", TextView(""), std::nullopt, std::nullopt, true);
  folder = ReplaceSubtext(folder, "utility\\", TextView(""), std::nullopt, std::nullopt, false);
  return WithoutTrailingBackslash(std::move(folder));
}

std::optional<Text> FromUninstallEntries(WorkflowRun& run) {
  Text name_buffer = SpaceText(kNameBufferSize);
  UninstallKey key;
  std::optional<Text> found;
  for (std::uint32_t index = 0;; ++index) {
    std::int32_t result =
        CallRegEnumKeyA(key.get(), index, name_buffer.mutable_block(), kNameBufferSize);
    if (result == kErrorMoreData) continue;
    if (result != 0) break;
    TextView name(name_buffer.c_str());
    if (Contains(name, "}.KB", false) || Contains(name, "{9", false)) continue;
    Text entry_key = JoinTexts({kUninstallKey, "\\", name});
    if (std::optional<Text> folder = WpsEntryFolder(entry_key)) found = std::move(folder);
    run.PumpEvents();
    if (run.Stopped()) return std::nullopt;
  }
  return found;
}

std::optional<Text> FromDesktopShortcut(WorkflowRun& run) {
  Text desktop = GetSpecialFolder(kDesktopFolder);
  SearchHandleSlot slot = 0;
  Text chosen;
  Text name = FindFile(JoinTexts({desktop, "*.lnk"}), std::nullopt, &slot);
  while (!name.empty()) {
    if (Contains(name, "wps", true)) chosen = JoinTexts({desktop, name});
    name = FindFile("", std::nullopt, &slot);
  }
  EndFileSearch(slot);
  if (chosen.empty()) {
    run.Show(messages::kNoDesktopShortcut);
    return std::nullopt;
  }
  Text target = ResolveShortcut(chosen);
  const char* last = FindLastPathBackslash(target);
  Text base = last != nullptr
                  ? Text::FromBytes(target.c_str(), static_cast<std::size_t>(last - target.c_str()))
                  : Text();
  TextArray versions = PathDirList(base);
  if (base.empty() || versions.ElementCount() == 0) {
    run.Show(messages::kNoVersionFolder);
    return std::nullopt;
  }
  return JoinTexts({base, "\\", versions.At(versions.ElementCount(), kVersionRead)});
}

}  // namespace

std::optional<Text> LocateWpsVersionFolder(WorkflowRun& run) {
  std::optional<Text> folder = FromUninstallEntries(run);
  if (run.Stopped()) return std::nullopt;
  if (folder) return folder;
  return FromDesktopShortcut(run);
}

bool WaitUntilWpsClosed(WorkflowRun& run, TextView) { return !run.Stopped(); }

}  // namespace pelmora
