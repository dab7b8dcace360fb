#include "runtime/system/dll_commands.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

// Libraries that are only ever legitimate from the system folder. The
// program runs elevated, so a copy planted beside it must never be loaded.
const char* const kSystemOnlyNames[] = {"kernel32", "gdi32",   "user32",  "advapi32", "mpr",
                                        "shell32",  "ole32",   "oleaut32", "comctl32", "comdlg32",
                                        "shlwapi",  "version", "ntdll",    "ws2_32",   "winmm"};

// The cache lives as long as the program and is emptied explicitly at
// shutdown (and between tests), so it holds plain handles.
struct Resolved {
  void* address = nullptr;
  port::LibraryHandle library = nullptr;  // stays loaded while the address is in use
};
Resolved g_cache[kDllCommandCount];

std::string Lower(const char* s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool IsSystemOnlyLibrary(const char* name) {
  std::string base = Lower(name);
  if (base.size() > 4 && base.compare(base.size() - 4, 4, ".dll") == 0) {
    base.resize(base.size() - 4);
  }
  for (const char* known : kSystemOnlyNames) {
    if (base == known) return true;
  }
  return false;
}

void* FindFunction(port::LibraryHandle library, const char* exported) {
  if (exported[0] == '#') {
    unsigned long ordinal = std::strtoul(exported + 1, nullptr, 10);
    return port::FindExportByOrdinal(library, static_cast<std::uint16_t>(ordinal & 0xFFFF));
  }
  return port::FindExport(library, exported);
}

port::LibraryHandle LoadNamedLibrary(const char* name) {
  if (std::strchr(name, ':') != nullptr) return port::LoadLibraryAt(name);
  if (IsSystemOnlyLibrary(name)) return port::LoadSystemLibrary(name);
  const char* folders[] = {port::ConfiguredLibraryFolder(), port::ProgramFolder(),
                           port::SecondLibraryFolder()};
  for (const char* folder : folders) {
    if (folder == nullptr || folder[0] == '\0') continue;
    std::string path = std::string(folder) + "\\" + name;
    if (port::LibraryHandle h = port::LoadLibraryAt(path.c_str())) return h;
  }
  return port::LoadLibraryBySearch(name);
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
