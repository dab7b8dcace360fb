// Library loading for the declared DLL commands.
#include <windows.h>

#include "runtime/system/library_port.h"

namespace pelmora::port {

LibraryHandle LoadSystemLibrary(const char* name) {
  return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

LibraryHandle LoadLibraryAt(const char* path) {
  // Only the file named; its own dependencies come from the system folder.
  return LoadLibraryExA(path, nullptr, 0);
}

LibraryHandle LoadLibraryBySearch(const char* name) { return LoadLibraryA(name); }

void* FindExport(LibraryHandle library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void* FindExportByOrdinal(LibraryHandle library, std::uint16_t ordinal) {
  return reinterpret_cast<void*>(
      GetProcAddress(static_cast<HMODULE>(library), MAKEINTRESOURCEA(ordinal)));
}

void UnloadLibrary(LibraryHandle library) { FreeLibrary(static_cast<HMODULE>(library)); }

const char* ConfiguredLibraryFolder() { return ""; }
const char* SecondLibraryFolder() { return ""; }

}  // namespace pelmora::port
