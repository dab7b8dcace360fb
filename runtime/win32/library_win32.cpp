// The library port: loading the declared DLL commands' libraries and the
// adapters' own, and finding their exports.
#include <windows.h>

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
  return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
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
