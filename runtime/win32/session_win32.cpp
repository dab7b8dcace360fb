// The session's facts and the machine-wide lock, from the system.
#include <windows.h>

#include <string>

#include "runtime/system/session_port.h"

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

MutexHandle CreateNamedMutex(const char* name, bool* held_elsewhere) {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
  *held_elsewhere = mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
  return reinterpret_cast<MutexHandle>(mutex);
}

void CloseMutex(MutexHandle mutex) { CloseHandle(reinterpret_cast<HANDLE>(mutex)); }

}  // namespace pelmora::port
