// Another account's HKEY_CURRENT_USER, readable below HKEY_USERS for as
// long as its owner lives: the account's own hive when the user is logged
// on, else its NTUSER.DAT loaded by this process and unloaded again on
// every way out, the end of the program included. Nothing is ever written
// there.
#pragma once

#include <cstdint>

#include "runtime/system/registry.h"
#include "runtime/system/user_profiles.h"
#include "runtime/text/values.h"

namespace pelmora {

// Why an account's hive could not be opened, with the system's error code
// for the reason (DescribeSystemError words it).
enum class HiveProblem {
  kNone,
  kNoProfileFolder,  // ERROR_PATH_NOT_FOUND
  kNoHiveFile,       // the folder has no NTUSER.DAT: ERROR_FILE_NOT_FOUND
  kLoadRefused,      // RegLoadKeyA's code, e.g. a sharing violation
};
struct HiveFailure {
  HiveProblem problem = HiveProblem::kNone;
  std::uint32_t error = 0;
};

class UserHive {
 public:
  // The registry root the hive's paths are read under, without a view (the
  // users' keys are shared by both).
  static constexpr std::int32_t kRoot = kRootUsers;

  UserHive() = default;
  ~UserHive();
  UserHive(const UserHive&) = delete;
  UserHive& operator=(const UserHive&) = delete;
  UserHive(UserHive&& other) noexcept;
  UserHive& operator=(UserHive&& other) noexcept;

  // The hive of the profile's account; empty, with `failure` set, when it
  // can be neither found nor loaded.
  [[nodiscard]] static UserHive Open(const UserProfile& profile, HiveFailure* failure);

  explicit operator bool() const { return !key_name_.empty(); }
  // The path below HKEY_USERS (kRoot) of a path below the account's
  // HKEY_CURRENT_USER, e.g. "Software\Kingsoft\Office\6.0\Common\InstallRoot".
  [[nodiscard]] Text PathOf(TextView path_in_user_key) const;
  // True when this process loaded the hive, which then goes with the owner.
  [[nodiscard]] bool loaded_here() const { return loaded_here_; }

 private:
  void reset();

  Text key_name_;  // below HKEY_USERS
  bool loaded_here_ = false;
};

}  // namespace pelmora
