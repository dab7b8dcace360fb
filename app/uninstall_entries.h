// The uninstall lists and how their entries are read and walked, so that
// every list recognises and derives alike.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "app/workflow_run.h"
#include "runtime/system/registry.h"
#include "runtime/text/values.h"

namespace pelmora {

struct UninstallList {
  std::int32_t root_number;  // as the registry commands number the roots
  RegistryView view;
};
// The machine-wide list as this 32-bit program sees it (on 64-bit Windows
// the 32-bit view), the current user's list, and the machine-wide list of
// 64-bit programs.
inline constexpr UninstallList kMachineUninstallList = {kRootLocalMachine, RegistryView::kOwn};
inline constexpr UninstallList kUserUninstallList = {kRootCurrentUser, RegistryView::kOwn};
inline constexpr UninstallList kMachine64UninstallList = {kRootLocalMachine,
                                                         RegistryView::k64Bit};

inline constexpr const char* kUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr const char* kUninstallPrefix =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// The folder of an entry's uninstall command, up to and including its last
// backslash, without double quotes.
Text EntryFolder(const UninstallList& list, TextView entry_key_path);

// WPS's version folder from its entry: the uninstaller lives in the version
// folder's "utility", so that part goes (in any case). Ends in a backslash
// unless the command had none.
Text WpsFolderOfEntry(const UninstallList& list, TextView entry_key_path);

// How a product is recognised in an entry: a part of its display name and
// a part of its publisher, both ignoring case.
struct ProductMarks {
  const char* name_part;
  const char* publisher_part;
};
inline constexpr ProductMarks kMathType7Marks = {"mathtype", "WIRIS"};
inline constexpr ProductMarks kWpsMarks = {"wps", "Kingsoft"};

// An entry that is looked into at all: one with an uninstall command that
// is not blank and a DisplayName value.
struct ListedEntry {
  Text key_path;  // below the root, the uninstall key included
  Text display_name;
};

// Calls `take` for each listed entry of the list, in listing order, skipping
// product codes ("{9...") and update keys ("}.KB") unread. Lets the window
// react after each listed entry and after each subkey. False when the
// window was closed meanwhile (the walk stops there); a list that cannot be
// opened has no entries.
bool WalkUninstallList(WorkflowRun& run, const UninstallList& list,
                       const std::function<void(const ListedEntry&)>& take);

enum class EntryMatch {
  kOther,     // the display name does not name the product
  kNameOnly,  // it does, but another publisher's
  kProduct,   // the product itself
};
// What a listed entry is for the product. The publisher is read only when
// the name matches.
EntryMatch MatchEntry(const UninstallList& list, const ListedEntry& entry,
                      const ProductMarks& product);

}  // namespace pelmora
