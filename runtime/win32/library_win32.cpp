// The library port: loading the declared DLL commands' libraries and the
// adapters' own, and finding their exports.
#include <windows.h>

#include <cstring>

#include "runtime/system/library_port.h"
#include "runtime/win32/library_win32.h"

namespace pelmora::port {
namespace {

HMODULE AsModule(LibraryHandle library) { return static_cast<HMODULE>(library); }

// The export's address, untyped: the caller knows its prototype.
void* ExportAddress(LibraryHandle library, const char* name) {
  return reinterpret_cast<void*>(win32::LookupProcedure<void()>(AsModule(library), name));
}

}  // namespace

LibraryHandle LoadSystemLibrary(const char* name) {
  if (HMODULE library = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return library;
  // Windows 7 without the update that added the flag refuses it; the
  // library's full path in the system folder says the same there.
  if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  char path[MAX_PATH];
  const UINT folder = GetSystemDirectoryA(path, MAX_PATH);
  if (folder == 0 || folder + 1 + std::strlen(name) >= MAX_PATH) return nullptr;
  path[folder] = '\\';
  std::strcpy(path + folder + 1, name);
  return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

LibraryHandle LoadLibraryAt(const char* path) {
  // Only the file named; its own dependencies come from the system folder.
  return LoadLibraryExA(path, nullptr, 0);
}

void* FindExport(LibraryHandle library, const char* name) { return ExportAddress(library, name); }

void* FindExportByOrdinal(LibraryHandle library, std::uint16_t ordinal) {
  return ExportAddress(library, MAKEINTRESOURCEA(ordinal));
}

void UnloadLibrary(LibraryHandle library) { FreeLibrary(AsModule(library)); }

}  // namespace pelmora::port
