#include "runtime/system/dll_commands.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/system/fatal_report.h"
#include "runtime/system/library_port.h"

namespace pelmora {
namespace {

const DllDeclaration kDeclarations[kDllCommandCount] = {
    {"advapi32.dll", "RegOpenKeyA"},
    {"advapi32", "RegEnumKeyA"},
    {"advapi32.dll", "RegCloseKey"},
};

const char* const kSystemLibraries[] = {"Kernel32.dll", "Gdi32.dll",   "User32.dll",
                                        "Advapi32.dll", "Mpr.dll",     "Shell32.dll"};

// The cache lives as long as the program and is emptied explicitly at
// shutdown (and between tests), so it holds plain handles.
struct Resolved {
  void* address = nullptr;
  port::LibraryHandle library = nullptr;  // stays loaded while the address is in use
};
Resolved g_cache[kDllCommandCount];

void* FindFunction(port::LibraryHandle library, const char* exported) {
  if (exported[0] == '#') {
    unsigned long ordinal = std::strtoul(exported + 1, nullptr, 10);
    return port::FindExportByOrdinal(library, static_cast<std::uint16_t>(ordinal & 0xFFFF));
  }
  return port::FindExport(library, exported);
}

// "C:\x.dll" or "\\server\share\x.dll": one file, wherever the search
// would start.
bool IsFullPath(const char* name) {
  const bool drive = std::isalpha(static_cast<unsigned char>(name[0])) != 0 && name[1] == ':' &&
                     (name[2] == '\\' || name[2] == '/');
  return drive || (name[0] == '\\' && name[1] == '\\');
}

// The program runs elevated: a bare name loads from the system folder only,
// never from beside the program or the current folder, where a planted copy
// would run with administrator rights. A full path loads exactly that
// file; a name with a folder relative to somewhere is refused, since what
// it names depends on where the search starts.
port::LibraryHandle LoadNamedLibrary(const char* name) {
  if (IsFullPath(name)) return port::LoadLibraryAt(name);
  if (std::strpbrk(name, "\\/:") != nullptr) return nullptr;
  return port::LoadSystemLibrary(name);
}

[[noreturn]] void ReportMissing(const DllDeclaration& d) {
  char message[600];
  if (d.library[0] != '\0') {
    std::snprintf(message, sizeof message, kDllMissingWithLibrary(), d.library, d.exported);
  } else {
    std::snprintf(message, sizeof message, kDllMissingWithoutLibrary(), d.exported);
  }
  ReportRuntimeFailure(message, 0, 0);
}

}  // namespace

const char* kDllMissingWithLibrary() { return "无法找到指定DLL库文件“%s”中的输出命令“%s”"; }
const char* kDllMissingWithoutLibrary() { return "无法找到指定DLL库文件中的输出命令“%s”"; }

const DllDeclaration& DeclarationOf(int index) { return kDeclarations[index]; }

void* ResolveDeclaration(const DllDeclaration& d, void** library) {
  *library = nullptr;
  if (d.library[0] == '\0') {
    for (const char* name : kSystemLibraries) {
      port::UniqueLibrary loaded(port::LoadSystemLibrary(name));
      if (!loaded) continue;
      if (void* f = FindFunction(loaded.get(), d.exported)) {
        *library = loaded.release();
        return f;
      }
    }
    return nullptr;
  }
  port::UniqueLibrary loaded(LoadNamedLibrary(d.library));
  if (!loaded) return nullptr;
  void* f = FindFunction(loaded.get(), d.exported);
  if (f == nullptr) return nullptr;
  *library = loaded.release();
  return f;
}

void* ResolveDllCommand(int index) {
  Resolved& slot = g_cache[index];
  if (slot.address != nullptr) return slot.address;
  const DllDeclaration& d = kDeclarations[index];
  void* library = nullptr;
  void* f = ResolveDeclaration(d, &library);
  if (f == nullptr) ReportMissing(d);
  slot = {f, library};
  return f;
}

void ReleaseDllCommands() {
  for (Resolved& slot : g_cache) {
    const port::UniqueLibrary loaded(slot.library);
    slot = Resolved{};
  }
}

}  // namespace pelmora
