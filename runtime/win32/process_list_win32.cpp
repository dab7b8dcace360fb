// The process list port over the tool-help snapshot and the image path
// query.
#include <windows.h>
#include <tlhelp32.h>

#include <cstring>

#include "runtime/win32/owners_win32.h"
#include "runtime/system/process_list_port.h"

namespace pelmora::port {
namespace {

HANDLE AsHandle(ProcessSnapshot snapshot) { return reinterpret_cast<HANDLE>(snapshot); }

// Toolhelp fills an ANSI entry only when UNICODE is not defined; the
// runtime is built without it, so PROCESSENTRY32 is the ANSI record here.
void CopyEntry(const PROCESSENTRY32& from, ProcessEntry* to) {
  to->id = from.th32ProcessID;
  std::strncpy(to->file_name, from.szExeFile, kPathBuffer - 1);
  to->file_name[kPathBuffer - 1] = '\0';
}

// Process32First and Process32Next take and fill the entry alike.
bool StepThrough(BOOL(WINAPI* step)(HANDLE, LPPROCESSENTRY32), ProcessSnapshot snapshot,
                 ProcessEntry* entry) {
  PROCESSENTRY32 found = {};
  found.dwSize = sizeof found;
  if (!step(AsHandle(snapshot), &found)) return false;
  CopyEntry(found, entry);
  return true;
}

}  // namespace

ProcessSnapshot TakeProcessSnapshot() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  return reinterpret_cast<ProcessSnapshot>(snapshot);
}

bool FirstProcess(ProcessSnapshot snapshot, ProcessEntry* entry) {
  return StepThrough(Process32First, snapshot, entry);
}

bool NextProcess(ProcessSnapshot snapshot, ProcessEntry* entry) {
  return StepThrough(Process32Next, snapshot, entry);
}

void CloseProcessSnapshot(ProcessSnapshot snapshot) { CloseHandle(AsHandle(snapshot)); }

bool ProcessImagePath(std::uint32_t process_id, char* path) {
  // The limited right is all the query needs and is granted for far more
  // processes than full query rights; protected processes still refuse.
  win32::UniqueKernelHandle process(
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
  if (!process) return false;
  DWORD size = kPathBuffer;
  return QueryFullProcessImageNameA(process.get(), 0, path, &size) != FALSE;
}

}  // namespace pelmora::port
