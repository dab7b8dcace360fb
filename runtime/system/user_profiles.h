// The accounts that have a profile on this machine, whoever runs the
// program: a program run as SYSTEM or as another administrator finds a
// user's own installations only through these.
#pragma once

#include <vector>

#include "runtime/text/values.h"

namespace pelmora {

struct UserProfile {
  Text sid;     // the key name, "S-1-5-21-..."
  Text folder;  // its ProfileImagePath, expanded; empty when it names none
};

// Every user account's profile, in the order the system lists them. The
// system's own accounts (S-1-5-18 to -20) are no users, and an entry ending
// in ".bak" is the copy Windows keeps beside a profile it had to rebuild.
[[nodiscard]] std::vector<UserProfile> ListUserProfiles();

}  // namespace pelmora
