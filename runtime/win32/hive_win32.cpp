// Registry hives of other accounts and the token privileges they need, on
// Win32.
#include <windows.h>

#include "runtime/system/hive_port.h"
#include "runtime/win32/owners_win32.h"

namespace pelmora::port {
namespace {

constexpr bool SameName(const char* a, const char* b) {
  for (; *a != '\0' || *b != '\0'; ++a, ++b) {
    if (*a != *b) return false;
  }
  return true;
}
static_assert(SameName(kRestorePrivilege, SE_RESTORE_NAME));
static_assert(SameName(kBackupPrivilege, SE_BACKUP_NAME));

HKEY AsKey(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

std::int32_t EnableProcessPrivilege(const char* name) {
  HANDLE opened = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened)) {
    return static_cast<std::int32_t>(GetLastError());
  }
  win32::UniqueKernelHandle token(opened);
  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueA(nullptr, name, &privileges.Privileges[0].Luid)) {
    return static_cast<std::int32_t>(GetLastError());
  }
  // It succeeds without enabling a privilege the account lacks; only the
  // error code that follows tells.
  if (!AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr)) {
    return static_cast<std::int32_t>(GetLastError());
  }
  return static_cast<std::int32_t>(GetLastError());
}

std::int32_t LoadRegistryHive(RegistryKey root, const char* name, const char* file) {
  return RegLoadKeyA(AsKey(root), name, file);
}

std::int32_t UnloadRegistryHive(RegistryKey root, const char* name) {
  return RegUnLoadKeyA(AsKey(root), name);
}

}  // namespace pelmora::port
