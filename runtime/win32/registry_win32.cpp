// Registry calls for the registry commands, and the three declared DLL
// commands reached through the DLL command table.
#include <windows.h>

#include "runtime/system/dll_commands.h"
#include "runtime/system/registry.h"
#include "runtime/system/registry_port.h"

namespace pelmora {

static_assert(port::kKeyRead == KEY_READ);
static_assert(port::kKeyWow64_64Key == KEY_WOW64_64KEY && port::kKeyWow64_32Key == KEY_WOW64_32KEY);
static_assert(port::kRegSz == REG_SZ && port::kRegExpandSz == REG_EXPAND_SZ);
static_assert(kErrorMoreData == ERROR_MORE_DATA && kErrorNoMoreItems == ERROR_NO_MORE_ITEMS);
// The root keys are pointer casts in the SDK, which no constant expression
// may contain: the adapter tests compare them when they run.

namespace {

// Keys travel at pointer width, so the cast gives back the handle exactly.
HKEY AsKey(port::RegistryKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace
}  // namespace pelmora

namespace pelmora::port {

std::int32_t OpenRegistryKey(RegistryKey root, const char* subkey, std::uint32_t access,
                             RegistryKey* key) {
  HKEY opened = nullptr;
  LONG code = RegOpenKeyExA(AsKey(root), subkey, 0, access, &opened);
  *key = code == ERROR_SUCCESS ? reinterpret_cast<std::uintptr_t>(opened) : 0;
  return code;
}

std::int32_t QueryRegistryValue(RegistryKey key, const char* name, std::uint32_t* type,
                                unsigned char* data, std::uint32_t* size) {
  DWORD value_type = 0;
  DWORD value_size = size != nullptr ? *size : 0;
  LONG code = RegQueryValueExA(AsKey(key), name, nullptr, &value_type, data, &value_size);
  if (type != nullptr) *type = value_type;
  if (size != nullptr) *size = value_size;
  return code;
}

void CloseRegistryKey(RegistryKey key) { RegCloseKey(AsKey(key)); }

std::int32_t EnumerateRegistryKey(RegistryKey key, std::uint32_t index, char* name,
                                  std::uint32_t* size) {
  DWORD length = *size;
  LONG code = RegEnumKeyExA(AsKey(key), index, name, &length, nullptr, nullptr, nullptr, nullptr);
  *size = length;
  return code;
}

std::uint32_t ExpandEnvironment(const char* source, char* destination, std::uint32_t size) {
  return ExpandEnvironmentStringsA(source, destination, size);
}

}  // namespace pelmora::port

namespace pelmora {
namespace {

// The exact prototypes of the declared functions: with these the call
// cannot unbalance the stack, so no check after the call is needed.
using RegOpenKeyACall = LONG WINAPI(HKEY, LPCSTR, PHKEY);
using RegEnumKeyACall = LONG WINAPI(HKEY, DWORD, LPSTR, DWORD);
using RegCloseKeyCall = LONG WINAPI(HKEY);

template <typename Procedure>
Procedure* Command(int index) {
  return reinterpret_cast<Procedure*>(ResolveDllCommand(index));
}

}  // namespace

std::int32_t CallRegOpenKeyA(std::uint32_t root_key, TextView subkey, port::RegistryKey* key) {
  HKEY opened = nullptr;
  LONG code = Command<RegOpenKeyACall>(kRegOpenKeyA)(AsKey(RootKeyHandle(root_key)),
                                                      subkey.c_str(), &opened);
  *key = reinterpret_cast<port::RegistryKey>(opened);
  return code;
}

std::int32_t CallRegEnumKeyA(port::RegistryKey key, std::uint32_t index, char* name_buffer,
                             std::uint32_t buffer_size) {
  return Command<RegEnumKeyACall>(kRegEnumKeyA)(AsKey(key), index, name_buffer, buffer_size);
}

std::int32_t CallRegCloseKey(port::RegistryKey key) {
  return Command<RegCloseKeyCall>(kRegCloseKey)(AsKey(key));
}

}  // namespace pelmora
