// Loading libraries for the declared DLL commands.
#pragma once

#include <cstdint>

namespace pelmora::port {

using LibraryHandle = void*;

// Loads a library from the system folder only.
LibraryHandle LoadSystemLibrary(const char* name);
// Loads a library by the exact path given (a name holding a colon).
LibraryHandle LoadLibraryAt(const char* path);
// Loads a library by bare name through the system's search (which, after
// start-up hardening, no longer includes the program's own folder).
LibraryHandle LoadLibraryBySearch(const char* name);
void* FindExport(LibraryHandle library, const char* name);
void* FindExportByOrdinal(LibraryHandle library, std::uint16_t ordinal);
void UnloadLibrary(LibraryHandle library);

// Optional extra library folders; "" when not configured.
const char* ConfiguredLibraryFolder();
const char* SecondLibraryFolder();
// The folder of the program's executable, without trailing backslash.
const char* ProgramFolder();

}  // namespace pelmora::port
