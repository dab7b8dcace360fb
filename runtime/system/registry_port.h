// The registry calls behind the registry commands, one to one with their
// Windows counterparts so the portable rules run unchanged against the
// host's fake registry.
#pragma once

#include <cstdint>

#include "runtime/system/unique_resource.h"

namespace pelmora::port {

// An open key; 0 = none.
using RegistryKey = std::uintptr_t;

// The system's values the portable rules use; the adapter checks each
// against the SDK when it is compiled.
constexpr std::uint32_t kKeyRead = 0x20019;  // no registry view flag
// Added to kKeyRead: the 64-bit view, where a 64-bit program keeps its keys
// on 64-bit Windows, or the 32-bit view, where a 32-bit program keeps them.
// Both are ignored by 32-bit Windows.
constexpr std::uint32_t kKeyWow64_64Key = 0x0100;
constexpr std::uint32_t kKeyWow64_32Key = 0x0200;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;

// RegOpenKeyExA. Returns the system's error code, 0 = success.
[[nodiscard]] std::int32_t OpenRegistryKey(RegistryKey root, const char* subkey,
                                           std::uint32_t access, RegistryKey* key);
// RegQueryValueExA. `data` may be null to learn the type and size only;
// `*size` is the buffer size going in and the data size coming out.
[[nodiscard]] std::int32_t QueryRegistryValue(RegistryKey key, const char* name,
                                              std::uint32_t* type, unsigned char* data,
                                              std::uint32_t* size);
void CloseRegistryKey(RegistryKey key);
// An open key, closed on every way out; a key that failed to open holds
// nothing and is never closed.
using UniqueRegistryKey = UniqueResource<RegistryKey, &CloseRegistryKey>;
// RegEnumKeyExA: the name of the subkey at `index` into `name`, `*size`
// bytes going in (NUL included), the name's length coming out.
std::int32_t EnumerateRegistryKey(RegistryKey key, std::uint32_t index, char* name,
                                  std::uint32_t* size);

// ExpandEnvironmentStringsA: the size the expansion needs, its NUL
// included, or 0 on failure.
[[nodiscard]] std::uint32_t ExpandEnvironment(const char* source, char* destination,
                                              std::uint32_t size);

}  // namespace pelmora::port
