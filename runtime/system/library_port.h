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
// Loads a library by the exact full path given.
[[nodiscard]] LibraryHandle LoadLibraryAt(const char* path);
[[nodiscard]] void* FindExport(LibraryHandle library, const char* name);
[[nodiscard]] void* FindExportByOrdinal(LibraryHandle library, std::uint16_t ordinal);
void UnloadLibrary(LibraryHandle library);
// A loaded library, unloaded on every way out unless handed on.
using UniqueLibrary = UniqueResource<LibraryHandle, &UnloadLibrary>;

}  // namespace pelmora::port
