#include "app/uninstall_entries.h"

#include <optional>

#include "runtime/text/text.h"

namespace pelmora {
namespace {

bool ContainsText(TextView text, TextView part, LetterCase letters) {
  return FindText(text, part, std::nullopt, letters) != -1;
}

// Product codes ("{9...") and update keys ("}.KB") are never looked into.
bool PassesNameFilters(TextView subkey_name) {
  return !ContainsText(subkey_name, "}.KB", LetterCase::kExact) &&
         !ContainsText(subkey_name, "{9", LetterCase::kExact);
}

// `value_path` is "\" and the value's name.
Text ReadEntryValue(const UninstallList& list, TextView entry_key_path, const char* value_path) {
  return ReadRegistryTextIn(list.view, list.root_number, JoinTexts({entry_key_path, value_path}));
}

std::optional<Text> ListedDisplayName(const UninstallList& list, TextView entry_key_path) {
  Text command = TrimBlanks(ReadEntryValue(list, entry_key_path, "\\UninstallString"));
  if (CompareTexts(command, "") == 0) return std::nullopt;
  Text value_path = JoinTexts({entry_key_path, "\\DisplayName"});
  if (!RegistryItemExistsIn(list.view, list.root_number, value_path)) return std::nullopt;
  return ReadEntryValue(list, entry_key_path, "\\DisplayName");
}

enum class EntryMatch {
  kOther,     // the display name does not name the product
  kNameOnly,  // it does, but another publisher's
  kProduct,   // the product itself
};

// The publisher is read only when the name matches.
EntryMatch MatchEntry(const UninstallList& list, const ListedEntry& entry,
                      const ProductMarks& product) {
  if (!ContainsText(entry.display_name, product.name_part, LetterCase::kIgnore)) {
    return EntryMatch::kOther;
  }
  Text publisher = ReadEntryValue(list, entry.key_path, "\\Publisher");
  return ContainsText(publisher, product.publisher_part, LetterCase::kIgnore) ? EntryMatch::kProduct
                                                                              : EntryMatch::kNameOnly;
}

// The folder of the entry's uninstall command, up to and including its last
// backslash, without double quotes.
Text EntryFolder(const UninstallList& list, TextView entry_key_path) {
  Text command = ReadEntryValue(list, entry_key_path, "\\UninstallString");
  std::int32_t last = FindTextFromEnd(command, "\\", std::nullopt, LetterCase::kExact);
  Text folder = LeftText(command, last);
  return ReplaceSubtext(folder, "\"", TextView(""), std::nullopt, std::nullopt, LetterCase::kExact);
}

// WPS's uninstaller lives in the version folder's "utility", so that part
// goes (in any case).
WpsFolders WpsFoldersOfEntry(const UninstallList& list, TextView entry_key_path) {
  Text folder = EntryFolder(list, entry_key_path);
  return WpsFoldersOfEntryFolder(ReplaceSubtext(folder, "utility\\", TextView(""), std::nullopt,
                                                std::nullopt, LetterCase::kIgnore));
}

void NoteEntry(const UninstallList& list, const ListedEntry& entry,
               std::vector<ListFinding>* findings) {
  using Kind = ListFinding::Kind;
  switch (MatchEntry(list, entry, kMathType7Marks)) {
    case EntryMatch::kProduct:
      findings->push_back({Kind::kMathType7, Text::From(entry.display_name),
                           EntryFolder(list, entry.key_path), {}});
      break;
    case EntryMatch::kNameOnly:
      findings->push_back({Kind::kOtherMathType, Text::From(entry.display_name), Text(), {}});
      break;
    case EntryMatch::kOther:
      break;
  }
  switch (MatchEntry(list, entry, kWpsMarks)) {
    case EntryMatch::kProduct:
      findings->push_back({Kind::kWps, Text::From(entry.display_name), Text(),
                           WpsFoldersOfEntry(list, entry.key_path)});
      break;
    case EntryMatch::kNameOnly:
      findings->push_back({Kind::kOtherWps, Text::From(entry.display_name), Text(), {}});
      break;
    case EntryMatch::kOther:
      break;
  }
}

}  // namespace

bool WalkUninstallList(ScanContext& scan, const UninstallList& list,
                       const std::function<void(const ListedEntry&)>& take) {
  SubkeyNames names(list.view, list.root_number, JoinTexts({list.key_above, kUninstallKey}));
  Text name;
  while (names.Next(&name)) {
    if (PassesNameFilters(name)) {
      Text key_path = JoinTexts({list.key_above, kUninstallPrefix, name});
      if (std::optional<Text> display_name = ListedDisplayName(list, key_path)) {
        scan.PumpEvents();
        if (scan.Stopped()) return false;
        take(ListedEntry{std::move(key_path), std::move(*display_name)});
      }
    }
    scan.PumpEvents();
    if (scan.Stopped()) return false;
  }
  return true;
}

std::optional<std::vector<ListFinding>> ScanUninstallList(ScanContext& scan,
                                                          const UninstallList& list) {
  std::vector<ListFinding> findings;
  const bool walked = WalkUninstallList(scan, list, [&](const ListedEntry& entry) {
    NoteEntry(list, entry, &findings);
  });
  if (!walked) return std::nullopt;
  return findings;
}

const ListFinding* LastFinding(const std::vector<ListFinding>& findings, ListFinding::Kind kind) {
  for (auto it = findings.rbegin(); it != findings.rend(); ++it) {
    if (it->kind == kind) return &*it;
  }
  return nullptr;
}

}  // namespace pelmora
