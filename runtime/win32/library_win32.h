// Reaching a library's exports from the adapters: the one place an address
// from GetProcAddress becomes a typed function. Calls that newer systems
// added are looked up at run time rather than imported, so the program
// still starts where they are missing. Libraries the adapters load
// themselves come from the system folder only, through the library port's
// LoadSystemLibrary. Included only by *_win32.cpp files.
#pragma once

#include <windows.h>

namespace pelmora::win32 {

// The export `name` (or an ordinal made with MAKEINTRESOURCEA) of `module`
// as a `Procedure`, a function type with its calling convention, such as
// `UINT WINAPI(HWND)`; null when the module or the export is missing.
// Through a generic function pointer: FARPROC has no parameters.
template <typename Procedure>
[[nodiscard]] Procedure* LookupProcedure(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Procedure*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace pelmora::win32
