#include "runtime/system/user_hive.h"

#include <utility>
#include <vector>

#include "runtime/system/exit_routines.h"
#include "runtime/system/files.h"
#include "runtime/system/hive_port.h"
#include "runtime/system/registry_port.h"
#include "runtime/system/system_path.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

// A name of our own below HKEY_USERS: a hive this program loaded is never
// taken for the one the system loaded for a logged-on user.
constexpr char kLoadedHivePrefix[] = "Pelmora.";
constexpr char kHiveFileName[] = "NTUSER.DAT";

port::RegistryKey Users() { return RootKeyHandle(kHkeyUsers); }

bool HiveKeyExists(TextView name) {
  port::UniqueRegistryKey key;
  return port::OpenRegistryKey(Users(), name.c_str(), ReadAccessIn(RegistryView::kOwn, kHkeyUsers),
                               key.put()) == 0;
}

// The hives this process loaded and has not unloaded yet, by their names
// below HKEY_USERS. A fatal report ends the program without unwinding the
// owners, so the list, not the owners, is what the end of the program
// unloads.
std::vector<Text>& HivesLoadedHere() {
  static std::vector<Text> names;
  return names;
}

bool IsLoadedHere(TextView name) {
  for (const Text& loaded : HivesLoadedHere()) {
    if (loaded == name) return true;
  }
  return false;
}

// True when the hive was still loaded here; it is not listed afterwards.
bool TakeFromLoadedHere(TextView name) {
  std::vector<Text>& names = HivesLoadedHere();
  for (auto it = names.begin(); it != names.end(); ++it) {
    if (*it == name) {
      names.erase(it);
      return true;
    }
  }
  return false;
}

void UnloadHivesLeftLoaded() {
  std::vector<Text> names = std::move(HivesLoadedHere());
  HivesLoadedHere().clear();
  for (const Text& name : names) port::UnloadRegistryHive(Users(), name.c_str());
}

void RememberLoadedHere(TextView name) {
  // Every way the program ends runs the exit routines, the fatal report's
  // way included.
  RegisterExitRoutine(UnloadHivesLeftLoaded);
  HivesLoadedHere().push_back(Text::From(name));
}

void EnableHivePrivileges() {
  // Their results are not looked at: without them the load fails with a
  // code of its own that says more (ERROR_PRIVILEGE_NOT_HELD).
  port::EnableProcessPrivilege(port::kRestorePrivilege);
  port::EnableProcessPrivilege(port::kBackupPrivilege);
}

}  // namespace

UserHive::~UserHive() { reset(); }

UserHive::UserHive(UserHive&& other) noexcept
    : key_name_(std::move(other.key_name_)),
      loaded_here_(std::exchange(other.loaded_here_, false)) {}

UserHive& UserHive::operator=(UserHive&& other) noexcept {
  if (this != &other) {
    reset();
    key_name_ = std::move(other.key_name_);
    loaded_here_ = std::exchange(other.loaded_here_, false);
  }
  return *this;
}

UserHive UserHive::Open(const UserProfile& profile, HiveFailure* failure) {
  *failure = HiveFailure();
  UserHive hive;
  if (HiveKeyExists(profile.sid)) {
    hive.key_name_ = Text::From(profile.sid);
    return hive;
  }
  Text own_name = JoinTexts({kLoadedHivePrefix, profile.sid});
  if (HiveKeyExists(own_name)) {
    hive.key_name_ = Text::From(own_name);
    // Another owner here holds it and unloads it. Otherwise a run that was
    // ended from outside left it loaded, and it goes with this owner: left
    // loaded, it would keep the user from logging on with their profile.
    if (IsLoadedHere(own_name)) return hive;
    RememberLoadedHere(own_name);
    hive.loaded_here_ = true;
    return hive;
  }
  if (profile.folder.empty() || !PathExists(profile.folder)) {
    *failure = {HiveProblem::kNoProfileFolder, port::kErrorPathNotFound};
    return hive;
  }
  Text file = JoinTexts({WithoutTrailingBackslash(profile.folder), "\\", kHiveFileName});
  if (!PathExists(file)) {
    *failure = {HiveProblem::kNoHiveFile, port::kErrorFileNotFound};
    return hive;
  }
  EnableHivePrivileges();
  const std::int32_t code = port::LoadRegistryHive(Users(), own_name.c_str(), file.c_str());
  if (code != 0) {
    *failure = {HiveProblem::kLoadRefused, static_cast<std::uint32_t>(code)};
    return hive;
  }
  RememberLoadedHere(own_name);
  hive.key_name_ = std::move(own_name);
  hive.loaded_here_ = true;
  return hive;
}

Text UserHive::PathOf(TextView path_in_user_key) const {
  return JoinTexts({key_name_, "\\", path_in_user_key});
}

void UserHive::reset() {
  if (loaded_here_ && TakeFromLoadedHere(key_name_)) {
    // A key of it still open keeps it loaded: the end of the program tries
    // again, once every reader is gone.
    if (port::UnloadRegistryHive(Users(), key_name_.c_str()) != 0) RememberLoadedHere(key_name_);
  }
  key_name_ = Text();
  loaded_here_ = false;
}

}  // namespace pelmora
