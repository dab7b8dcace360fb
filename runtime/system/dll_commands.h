// The external library functions the runtime declares by library and
// export name (the registry's RegOpenKeyA, RegEnumKeyA and RegCloseKey),
// and how their addresses are found: resolved on first use, then cached
// per index.
#pragma once

#include <cstdint>

namespace pelmora {

enum DllCommand : int {
  kRegOpenKeyA = 0,
  kRegEnumKeyA = 1,
  kRegCloseKey = 2,
  kDllCommandCount = 3,
};

struct DllDeclaration {
  const char* library;   // "" = try the system libraries in order
  const char* exported;  // a name, or "#" and a decimal ordinal
};

[[nodiscard]] const DllDeclaration& DeclarationOf(int index);

// The function's address; a function that cannot be found is a fatal
// report naming the library and the export.
[[nodiscard]] void* ResolveDllCommand(int index);

// The resolution algorithm alone, without cache or report: the address, or
// null when no library could be loaded or it lacks the export. `library`
// receives the library that stays loaded for the address.
[[nodiscard]] void* ResolveDeclaration(const DllDeclaration& declaration, void** library);

// Forgets cached addresses and unloads libraries (at shutdown, and between
// tests).
void ReleaseDllCommands();

// The two resolution-failure messages.
const char* kDllMissingWithLibrary();
const char* kDllMissingWithoutLibrary();

}  // namespace pelmora
