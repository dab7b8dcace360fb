// The session's facts and the machine-wide lock, from the system.
#include <windows.h>
#include <sddl.h>

#include <string>

#include "runtime/system/session_port.h"
#include "runtime/win32/library_win32.h"
#include "runtime/win32/owners_win32.h"
#include "runtime/win32/wide_text_win32.h"

namespace pelmora::port {

LocalTime LocalTimeNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::string AccountName() {
  char name[257];
  DWORD size = sizeof name;
  if (!GetUserNameA(name, &size) || size == 0) return std::string();
  return std::string(name, size - 1);
}

bool RunsAsLocalSystem() {
  HANDLE opened = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) return false;
  win32::UniqueKernelHandle token(opened);
  // TOKEN_USER is followed by the SID it points to.
  alignas(TOKEN_USER) unsigned char buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  if (!GetTokenInformation(token.get(), TokenUser, buffer, sizeof buffer, &size)) return false;
  const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer);
  return IsWellKnownSid(user->User.Sid, WinLocalSystemSid) != FALSE;
}

MutexHandle CreateNamedMutex(const char* name, bool* held_elsewhere) {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
  *held_elsewhere = mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
  return reinterpret_cast<MutexHandle>(mutex);
}

void CloseMutex(MutexHandle mutex) { CloseHandle(reinterpret_cast<HANDLE>(mutex)); }

namespace {

// Private namespaces came with Vista, and Wine 8's kernel32 has none of
// these: all are looked up.
HMODULE Kernel32() { return GetModuleHandleW(L"kernel32.dll"); }

void DeleteBoundary(HANDLE boundary) {
  static const auto call =
      win32::LookupProcedure<VOID WINAPI(HANDLE)>(Kernel32(), "DeleteBoundaryDescriptor");
  if (call != nullptr) call(boundary);
}
using UniqueBoundary = UniqueResource<HANDLE, &DeleteBoundary>;

// Every right to SYSTEM and to the Administrators group, none to anyone
// else, nothing inherited.
win32::UniqueLocalBlock AdministratorsOnly() {
  static const auto convert =
      win32::LookupProcedure<BOOL WINAPI(LPCWSTR, DWORD, PSECURITY_DESCRIPTOR*, PULONG)>(
          GetModuleHandleW(L"advapi32.dll"),
          "ConvertStringSecurityDescriptorToSecurityDescriptorW");
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (convert == nullptr ||
      !convert(L"D:P(A;;GA;;;SY)(A;;GA;;;BA)", SDDL_REVISION_1, &descriptor, nullptr)) {
    return {};
  }
  return win32::UniqueLocalBlock(descriptor);
}

// Only a token with the Administrators group enabled passes this boundary:
// an elevated administrator or SYSTEM, never a standard user.
UniqueBoundary AdministratorsBoundary(const wchar_t* name) {
  static const auto create =
      win32::LookupProcedure<HANDLE WINAPI(LPCWSTR, ULONG)>(Kernel32(), "CreateBoundaryDescriptorW");
  static const auto add_sid =
      win32::LookupProcedure<BOOL WINAPI(HANDLE*, PSID)>(Kernel32(), "AddSIDToBoundaryDescriptor");
  if (create == nullptr || add_sid == nullptr) return {};
  UniqueBoundary boundary(create(name, 0));
  BYTE sid[SECURITY_MAX_SID_SIZE];
  DWORD sid_size = sizeof sid;
  if (!boundary || !CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, sid, &sid_size)) {
    return {};
  }
  // Adding may move the descriptor.
  HANDLE grown = boundary.release();
  const BOOL added = add_sid(&grown, sid);
  boundary.reset(grown);
  if (!added) return {};
  return boundary;
}

}  // namespace

NamespaceHandle OpenAdministratorsNamespace(const char* alias) {
  static const auto create = win32::LookupProcedure<HANDLE WINAPI(LPSECURITY_ATTRIBUTES, LPVOID, LPCWSTR)>(
      Kernel32(), "CreatePrivateNamespaceW");
  static const auto open =
      win32::LookupProcedure<HANDLE WINAPI(LPVOID, LPCWSTR)>(Kernel32(), "OpenPrivateNamespaceW");
  if (create == nullptr || open == nullptr) return 0;
  const win32::WideText name = win32::WideFromSystem(alias);
  const UniqueBoundary boundary = AdministratorsBoundary(name.c_str());
  win32::UniqueLocalBlock descriptor = AdministratorsOnly();
  if (!boundary || !descriptor) return 0;
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor.get(), FALSE};
  HANDLE space = create(&attributes, boundary.get(), name.c_str());
  if (space == nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
    space = open(boundary.get(), name.c_str());
  }
  return reinterpret_cast<NamespaceHandle>(space);
}

void CloseNamespace(NamespaceHandle space) {
  static const auto call =
      win32::LookupProcedure<BOOLEAN WINAPI(HANDLE, ULONG)>(Kernel32(), "ClosePrivateNamespace");
  if (call != nullptr) call(reinterpret_cast<HANDLE>(space), 0);
}

MutexHandle CreateAdministratorsMutex(const char* name, bool* held_elsewhere) {
  *held_elsewhere = false;
  win32::UniqueLocalBlock descriptor = AdministratorsOnly();
  if (!descriptor) return 0;
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor.get(), FALSE};
  const win32::WideText wide = win32::WideFromSystem(name);
  HANDLE mutex = CreateMutexW(&attributes, FALSE, wide.c_str());
  *held_elsewhere = mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
  return reinterpret_cast<MutexHandle>(mutex);
}

}  // namespace pelmora::port
