// Where another account's desktop lies: the folder its Explorer shows, for
// finding the shortcuts on it.
#pragma once

#include "runtime/system/user_hive.h"
#include "runtime/system/user_profiles.h"
#include "runtime/text/values.h"

namespace pelmora {

// The account's desktop folder with one trailing backslash, as
// GetSpecialFolder gives this account's: the Desktop value of its User
// Shell Folders, with %USERPROFILE% standing for the account's profile
// folder; without that value, the profile's Desktop folder. Empty for an
// account without a profile folder.
[[nodiscard]] Text UserDesktopFolder(const UserProfile& profile, const UserHive& hive);

}  // namespace pelmora
