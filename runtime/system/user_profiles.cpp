#include "runtime/system/user_profiles.h"

#include "runtime/system/bitness.h"
#include "runtime/system/registry.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

constexpr char kProfileList[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
constexpr char kUserSidPrefix[] = "S-1-5-21-";
constexpr char kBackupSuffix[] = ".bak";

bool NamesAUsersProfile(TextView name) {
  if (!StartsWithIgnoringCase(name, kUserSidPrefix)) return false;
  const std::size_t length = name.size();
  const std::size_t suffix = sizeof kBackupSuffix - 1;
  return length < suffix || !SameTextIgnoringCase(name.c_str() + length - suffix, kBackupSuffix);
}

}  // namespace

std::vector<UserProfile> ListUserProfiles() {
  // The list lies below HKEY_LOCAL_MACHINE\SOFTWARE, which the system
  // redirects for a 32-bit program on 64-bit Windows; it is kept in the
  // 64-bit view only.
  const RegistryView view = WindowsIs64Bit() ? RegistryView::k64Bit : RegistryView::kOwn;
  std::vector<UserProfile> profiles;
  SubkeyNames names(view, kRootLocalMachine, kProfileList);
  for (Text name; names.Next(&name);) {
    if (!NamesAUsersProfile(name)) continue;
    Text folder = ReadRegistryTextIn(view, kRootLocalMachine,
                                     JoinTexts({kProfileList, "\\", name, "\\ProfileImagePath"}));
    profiles.push_back({std::move(name), std::move(folder)});
  }
  return profiles;
}

}  // namespace pelmora
