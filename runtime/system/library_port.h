// Loading libraries for the declared DLL commands.
#pragma once

#include <cstdint>

namespace pelmora::port {

using LibraryHandle = void*;

// Loads a library from the system folder only.
[[nodiscard]] LibraryHandle LoadSystemLibrary(const char* name);
// Loads a library by the exact path given (a name holding a colon).
[[nodiscard]] LibraryHandle LoadLibraryAt(const char* path);
// Loads a library by bare name through the system's search (which, after
// start-up hardening, no longer includes the program's own folder).
[[nodiscard]] LibraryHandle LoadLibraryBySearch(const char* name);
[[nodiscard]] void* FindExport(LibraryHandle library, const char* name);
[[nodiscard]] void* FindExportByOrdinal(LibraryHandle library, std::uint16_t ordinal);
void UnloadLibrary(LibraryHandle library);

// Optional extra library folders; "" when not configured.
[[nodiscard]] const char* ConfiguredLibraryFolder();
[[nodiscard]] const char* SecondLibraryFolder();
// The folder of the program's executable, without trailing backslash.
[[nodiscard]] const char* ProgramFolder();

}  // namespace pelmora::port
