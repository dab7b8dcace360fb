// Loading libraries and finding their exports: for the declared DLL
// commands, and the one loader from the system folder that the Win32
// adapters use for the libraries they load late themselves.
#pragma once

#include <cstdint>

#include "runtime/system/unique_resource.h"

namespace pelmora::port {

using LibraryHandle = void*;

// Loads a library from the system folder only: the program runs elevated,
// so a copy planted beside it must never be loaded in its place.
[[nodiscard]] LibraryHandle LoadSystemLibrary(const char* name);
// Loads a library by the exact path given (a name holding a colon).
[[nodiscard]] LibraryHandle LoadLibraryAt(const char* path);
// Loads a library by bare name through the system's search, which
// start-up has hardened to leave out the program's own folder.
[[nodiscard]] LibraryHandle LoadLibraryBySearch(const char* name);
[[nodiscard]] void* FindExport(LibraryHandle library, const char* name);
[[nodiscard]] void* FindExportByOrdinal(LibraryHandle library, std::uint16_t ordinal);
void UnloadLibrary(LibraryHandle library);
// A loaded library, unloaded on every way out unless handed on.
using UniqueLibrary = UniqueResource<LibraryHandle, &UnloadLibrary>;

// Optional extra library folders; "" when not configured.
[[nodiscard]] const char* ConfiguredLibraryFolder();
[[nodiscard]] const char* SecondLibraryFolder();
// The folder of the program's executable, without trailing backslash.
[[nodiscard]] const char* ProgramFolder();

}  // namespace pelmora::port
