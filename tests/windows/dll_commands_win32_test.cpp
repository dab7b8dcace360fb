// The declared DLL commands against the real system libraries.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "runtime/system/dll_commands.h"
#include "runtime/system/library_port.h"

namespace pelmora {
namespace {

// The ordinal under which `module` exports `name`, read from its export
// directory; 0 when it does not export it by name.
WORD OrdinalOf(HMODULE module, const char* name) {
  const auto* base = reinterpret_cast<const unsigned char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (dir.VirtualAddress == 0) return 0;
  const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
  const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  const auto* indexes = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    if (std::string(reinterpret_cast<const char*>(base + names[i])) == name) {
      return static_cast<WORD>(exports->Base + indexes[i]);
    }
  }
  return 0;
}

void* Expected(const char* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(library), name));
}

class DllCommandsWin32 : public ::testing::Test {
 protected:
  void TearDown() override { ReleaseDllCommands(); }
};

TEST_F(DllCommandsWin32, TheThreeRegistryCallsResolveToAdvapi32) {
  void* open = ResolveDllCommand(kRegOpenKeyA);
  void* enumerate = ResolveDllCommand(kRegEnumKeyA);
  void* close = ResolveDllCommand(kRegCloseKey);
  ASSERT_NE(GetModuleHandleA("advapi32.dll"), nullptr);
  EXPECT_EQ(open, Expected("advapi32.dll", "RegOpenKeyA"));
  EXPECT_EQ(enumerate, Expected("advapi32.dll", "RegEnumKeyA"));
  EXPECT_EQ(close, Expected("advapi32.dll", "RegCloseKey"));
  EXPECT_EQ(ResolveDllCommand(kRegOpenKeyA), open);

  // And they are the functions they claim to be.
  using OpenFn = LONG(WINAPI*)(HKEY, LPCSTR, PHKEY);
  using EnumFn = LONG(WINAPI*)(HKEY, DWORD, LPSTR, DWORD);
  using CloseFn = LONG(WINAPI*)(HKEY);
  HKEY key = nullptr;
  ASSERT_EQ(reinterpret_cast<OpenFn>(open)(HKEY_LOCAL_MACHINE, "SOFTWARE", &key), 0);
  char name[256] = {};
  EXPECT_EQ(reinterpret_cast<EnumFn>(enumerate)(key, 0, name, 255), 0);
  EXPECT_NE(name[0], '\0');
  EXPECT_EQ(reinterpret_cast<CloseFn>(close)(key), 0);
}

TEST_F(DllCommandsWin32, HashNameResolvesAKernel32Ordinal) {
  HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
  WORD ordinal = OrdinalOf(kernel32, "GetTickCount");
  ASSERT_NE(ordinal, 0);
  std::string exported = "#" + std::to_string(ordinal);
  void* library = nullptr;
  void* f = ResolveDeclaration({"kernel32.dll", exported.c_str()}, &library);
  EXPECT_EQ(f, Expected("kernel32.dll", "GetTickCount"));
  ASSERT_NE(library, nullptr);
  port::UnloadLibrary(library);

  // Only the low 16 bits of the number count.
  std::string wrapped = "#" + std::to_string(0x10000 + ordinal);
  f = ResolveDeclaration({"kernel32.dll", wrapped.c_str()}, &library);
  EXPECT_EQ(f, Expected("kernel32.dll", "GetTickCount"));
  if (library != nullptr) port::UnloadLibrary(library);
}

TEST_F(DllCommandsWin32, NoLibraryFindsTheExportInTheSystemLibraries) {
  void* library = nullptr;
  void* f = ResolveDeclaration({"", "MessageBoxA"}, &library);
  EXPECT_EQ(f, Expected("user32.dll", "MessageBoxA"));
  if (library != nullptr) port::UnloadLibrary(library);
}

TEST_F(DllCommandsWin32, MissingExportOrLibraryYieldsNull) {
  void* library = reinterpret_cast<void*>(1);
  EXPECT_EQ(ResolveDeclaration({"kernel32.dll", "NoSuchExportPelmora"}, &library), nullptr);
  EXPECT_EQ(library, nullptr);
  EXPECT_EQ(ResolveDeclaration({"pelmora_no_such_library.dll", "F"}, &library), nullptr);
  EXPECT_EQ(ResolveDeclaration({"C:\\pelmora\\none.dll", "F"}, &library), nullptr);
  EXPECT_EQ(ResolveDeclaration({"", "NoSuchExportPelmora"}, &library), nullptr);
  EXPECT_EQ(library, nullptr);
}

}  // namespace
}  // namespace pelmora
