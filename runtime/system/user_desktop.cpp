#include "runtime/system/user_desktop.h"

#include <cstring>
#include <optional>

#include "runtime/system/registry.h"
#include "runtime/system/system_path.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

constexpr char kDesktopValue[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders\\Desktop";
constexpr char kProfileVariable[] = "%USERPROFILE%";

// %USERPROFILE% is this process's own account's folder, so the stored text
// is cut at it and each piece between expanded on its own: the other
// variables are the machine's, the same for every account, and a '%' in
// the profile folder's name is never taken for one.
std::optional<Text> ExpandForAccount(TextView stored, TextView profile_folder) {
  Text result;
  const char* rest = stored.c_str();
  for (;;) {
    const std::int32_t at = FindText(rest, kProfileVariable, std::nullopt, LetterCase::kIgnore);
    Text piece = at < 0 ? Text::From(rest) : LeftText(rest, at - 1);
    Text expanded;
    if (!ExpandEnvironmentText(piece, &expanded)) return std::nullopt;
    if (at < 0) return JoinTexts({result, expanded});
    result = JoinTexts({result, expanded, profile_folder});
    rest += at - 1 + std::strlen(kProfileVariable);
  }
}

}  // namespace

Text UserDesktopFolder(const UserProfile& profile, const UserHive& hive) {
  if (profile.folder.empty()) return Text();
  const StoredRegistryText stored =
      ReadStoredRegistryTextIn(RegistryView::kOwn, UserHive::kRoot, hive.PathOf(kDesktopValue));
  std::optional<Text> folder;
  if (!stored.text.empty()) {
    folder =
        stored.expandable ? ExpandForAccount(stored.text, profile.folder) : Text::From(stored.text);
  }
  if (!folder || folder->empty()) {
    folder = JoinTexts({WithoutTrailingBackslash(profile.folder), "\\Desktop"});
  }
  return JoinTexts({WithoutTrailingBackslash(*folder), "\\"});
}

}  // namespace pelmora
