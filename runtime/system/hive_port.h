// Loading another account's registry hive below HKEY_USERS, and the
// privileges of this process's token that the system asks for it, one to
// one with the Win32 calls behind them.
#pragma once

#include <cstdint>

#include "runtime/system/registry_port.h"

namespace pelmora::port {

// The privileges RegLoadKeyA and RegUnLoadKeyA need enabled, by the names
// the system knows them by.
constexpr char kRestorePrivilege[] = "SeRestorePrivilege";
constexpr char kBackupPrivilege[] = "SeBackupPrivilege";

// OpenProcessToken, LookupPrivilegeValueA and AdjustTokenPrivileges: the
// named privilege enabled on this process's own token. 0, or the system's
// code: ERROR_NOT_ALL_ASSIGNED when the account does not hold it.
std::int32_t EnableProcessPrivilege(const char* name);

// RegLoadKeyA: the hive file loaded as the subkey `name` of `root`.
[[nodiscard]] std::int32_t LoadRegistryHive(RegistryKey root, const char* name, const char* file);
// RegUnLoadKeyA.
std::int32_t UnloadRegistryHive(RegistryKey root, const char* name);

}  // namespace pelmora::port
