// Registry access: values read by a root number and one path whose part
// after the last backslash is the value name, and the three declared DLL
// commands that enumerate subkeys.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/values.h"

namespace pelmora {

// 1 HKEY_CLASSES_ROOT, 2 HKEY_CURRENT_CONFIG, 3 HKEY_CURRENT_USER,
// 4 HKEY_LOCAL_MACHINE, 5 HKEY_USERS, anything else HKEY_CURRENT_USER.
std::uint32_t RootKeyOf(std::int32_t root_number);

// Splits at the last backslash, double-byte aware in the system's code
// page (subkey names come from the system). Ending in a backslash
// addresses the default value; no backslash means the root key itself.
struct RegistryPath {
  Text key;
  Text value_name;
};
RegistryPath SplitRegistryPath(TextView full_path);

// REG_SZ and REG_EXPAND_SZ only (the latter expanded); anything else, or
// any failure, gives a copy of the default or the empty text.
Text ReadRegistryText(std::int32_t root_number, TextView full_path,
                      std::optional<TextView> default_text = std::nullopt);
// True when the value exists and its type and size can be read.
bool RegistryItemExists(std::int32_t root_number, TextView full_path);

// The declared DLL commands, reached through the DLL command table.
// Raw Windows semantics: each returns a Windows error code, 0 = success.
constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;
std::int32_t CallRegOpenKeyA(std::uint32_t root_key, TextView subkey, std::uint32_t* key);
// Writes the NUL-terminated subkey name into `name_buffer` (at least
// buffer_size + 1 bytes, e.g. a SpaceText(255) block).
std::int32_t CallRegEnumKeyA(std::uint32_t key, std::uint32_t index, char* name_buffer,
                             std::uint32_t buffer_size);
std::int32_t CallRegCloseKey(std::uint32_t key);

constexpr std::int32_t kErrorMoreData = 234;
constexpr std::int32_t kErrorNoMoreItems = 259;

}  // namespace pelmora
