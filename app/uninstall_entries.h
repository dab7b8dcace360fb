// The uninstall lists and how their entries are read, walked and
// recognised, so that every list recognises and derives alike.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "app/panel_model.h"
#include "app/run_context.h"
#include "runtime/system/registry.h"
#include "runtime/text/values.h"

namespace pelmora {

struct UninstallList {
  std::int32_t root_number;  // as the registry commands number the roots
  RegistryView view;
  // The key below the root that stands for HKEY_CURRENT_USER in another
  // account's list ("S-1-5-21-...\"); empty for the lists of this account
  // and the machine.
  const char* key_above = "";
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
  Text key_path;  // below the root, the uninstall key (and the key above it) included
  Text display_name;
};

// Calls `take` for each listed entry of the list, in listing order, skipping
// product codes ("{9...") and update keys ("}.KB") unread. Lets the window
// react after each listed entry and after each subkey. False when the
// window was closed meanwhile (the walk stops there); a list that cannot be
// opened has no entries.
bool WalkUninstallList(ScanContext& scan, const UninstallList& list,
                       const std::function<void(const ListedEntry&)>& take);

// An entry whose display name named a product. One entry can name both,
// MathType first.
struct ListFinding {
  enum class Kind {
    kMathType7,      // MathType by its publisher
    kOtherMathType,  // "mathtype" from another publisher (MathType 6)
    kWps,            // WPS by its publisher
    kOtherWps,       // "wps" from another publisher
  };
  Kind kind;
  Text display_name;
  // kMathType7: MathType's folder, that of its uninstall command, ending in
  // a backslash. kWps: WPS's folders, the version folder being that of its
  // uninstaller without "utility\". Empty otherwise.
  Text math_type_folder;
  WpsFolders wps;
};

// What the list named, in listing order; nothing when the window was
// closed meanwhile.
[[nodiscard]] std::optional<std::vector<ListFinding>> ScanUninstallList(ScanContext& scan,
                                                                      const UninstallList& list);

// The last finding of the kind: of several entries, the last one listed
// wins. Null when there is none.
[[nodiscard]] const ListFinding* LastFinding(const std::vector<ListFinding>& findings,
                                             ListFinding::Kind kind);

}  // namespace pelmora
