#include "app/uninstall_entries.h"

#include <optional>

#include "runtime/text/text.h"

namespace pelmora {

namespace {

bool ContainsText(TextView text, TextView part, LetterCase letters) {
  return FindText(text, part, std::nullopt, letters) != -1;
}

}  // namespace

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

std::optional<Text> ListedDisplayName(const UninstallList& list, TextView entry_key_path) {
  Text command = TrimBlanks(ReadEntryValue(list, entry_key_path, "\\UninstallString"));
  if (CompareTexts(command, "") == 0) return std::nullopt;
  if (!EntryValueExists(list, entry_key_path, "\\DisplayName")) return std::nullopt;
  return ReadEntryValue(list, entry_key_path, "\\DisplayName");
}

EntryMatch MatchEntry(const UninstallList& list, TextView entry_key_path, TextView display_name,
                      const ProductMarks& product) {
  if (!ContainsText(display_name, product.name_part, LetterCase::kIgnore)) return EntryMatch::kOther;
  Text publisher = ReadEntryValue(list, entry_key_path, "\\Publisher");
  return ContainsText(publisher, product.publisher_part, LetterCase::kIgnore) ? EntryMatch::kProduct
                                                                              : EntryMatch::kNameOnly;
}

bool IsWpsEntry(const UninstallList& list, TextView entry_key_path) {
  std::optional<Text> display_name = ListedDisplayName(list, entry_key_path);
  return display_name && MatchEntry(list, entry_key_path, *display_name, kWpsMarks) ==
                             EntryMatch::kProduct;
}

}  // namespace pelmora
