#include "app/uninstall_entries.h"

#include <optional>

#include "runtime/text.h"

namespace pelmora {

bool ContainsText(TextView text, TextView part, LetterCase letters) {
  return FindText(text, part, std::nullopt, letters) != -1;
}

bool PassesNameFilters(TextView subkey_name) {
  return !ContainsText(subkey_name, "}.KB", LetterCase::kExact) &&
         !ContainsText(subkey_name, "{9", LetterCase::kExact);
}

Text ReadEntryValue(const UninstallList& list, TextView entry_key_path, const char* value_path) {
  return ReadRegistryTextIn(list.view, list.root_number, JoinTexts({entry_key_path, value_path}));
}

bool EntryValueExists(const UninstallList& list, TextView entry_key_path, const char* value_path) {
  return RegistryItemExistsIn(list.view, list.root_number, JoinTexts({entry_key_path, value_path}));
}

Text EntryFolder(const UninstallList& list, TextView entry_key_path) {
  Text command = ReadEntryValue(list, entry_key_path, "\\UninstallString");
  std::int32_t last = FindTextFromEnd(command, "\\", std::nullopt, LetterCase::kExact);
  Text folder = LeftText(command, last);
  return ReplaceSubtext(folder, "\"", TextView(""), std::nullopt, std::nullopt, LetterCase::kExact);
}

Text WpsFolderOfEntry(const UninstallList& list, TextView entry_key_path) {
  Text folder = EntryFolder(list, entry_key_path);
  return ReplaceSubtext(folder, "utility\\", TextView(""), std::nullopt, std::nullopt,
                        LetterCase::kIgnore);
}

bool IsWpsEntry(const UninstallList& list, TextView entry_key_path) {
  Text command = TrimBlanks(ReadEntryValue(list, entry_key_path, "\\UninstallString"));
  if (CompareTexts(command, "") == 0) return false;
  if (!EntryValueExists(list, entry_key_path, "\\DisplayName")) return false;
  Text display_name = ReadEntryValue(list, entry_key_path, "\\DisplayName");
  if (!ContainsText(display_name, "wps", LetterCase::kIgnore)) return false;
  Text publisher = ReadEntryValue(list, entry_key_path, "\\Publisher");
  return ContainsText(publisher, "Kingsoft", LetterCase::kIgnore);
}

}  // namespace pelmora
