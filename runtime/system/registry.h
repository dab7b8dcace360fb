// Registry access: values read by a root number and one path whose part
// after the last backslash is the value name, and the three declared DLL
// commands that enumerate subkeys.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/system/registry_port.h"
#include "runtime/text/values.h"

namespace pelmora {

// The platform's predefined root keys, as the DLL commands take them.
constexpr std::uint32_t kHkeyClassesRoot = 0x80000000u;
constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;
constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;
constexpr std::uint32_t kHkeyUsers = 0x80000003u;
constexpr std::uint32_t kHkeyCurrentConfig = 0x80000005u;

// The root numbers the registry commands take.
enum RegistryRoot : std::int32_t {
  kRootClassesRoot = 1,
  kRootCurrentConfig = 2,
  kRootCurrentUser = 3,
  kRootLocalMachine = 4,
  kRootUsers = 5,
};

// The root key of a root number; any other number is HKEY_CURRENT_USER.
[[nodiscard]] std::uint32_t RootKeyOf(std::int32_t root_number);

// Handles are held at the width of a pointer everywhere in the runtime, so
// a 64-bit build gets back exactly what the system handed out. The root
// keys are 32-bit numbers that the system's headers widen with their sign
// (HKEY_LOCAL_MACHINE is 0xFFFFFFFF80000002 in a 64-bit program); widened
// without it they name no key.
[[nodiscard]] constexpr port::RegistryKey RootKeyHandle(std::uint32_t root_key) {
  return static_cast<port::RegistryKey>(
      static_cast<std::intptr_t>(static_cast<std::int32_t>(root_key)));
}

// Splits at the last backslash, double-byte aware in the system's code
// page (subkey names come from the system). Ending in a backslash
// addresses the default value; no backslash means the root key itself.
struct RegistryPath {
  Text key;
  Text value_name;
};
[[nodiscard]] RegistryPath SplitRegistryPath(TextView full_path);

// REG_SZ and REG_EXPAND_SZ only (the latter expanded); anything else, or
// any failure, gives a copy of the default or the empty text.
[[nodiscard]] Text ReadRegistryText(std::int32_t root_number, TextView full_path,
                                    std::optional<TextView> default_text = std::nullopt);
// True when the value exists and its type and size can be read.
[[nodiscard]] bool RegistryItemExists(std::int32_t root_number, TextView full_path);

// Which registry a read sees. kOwn is what this 32-bit program sees by
// default: on 64-bit Windows the 32-bit view (WOW6432Node below
// HKEY_LOCAL_MACHINE\SOFTWARE). It is named explicitly when a key is
// opened, so that a 64-bit build of the same sources reads the same keys.
// The users' keys read here (HKEY_CURRENT_USER, and HKEY_USERS, where
// every account's own keys lie) are shared by both views and are opened
// without a view. The 64-bit view is where 64-bit programs register
// themselves.
enum class RegistryView { kOwn, k64Bit };

// The access a read asks for in `view` below `root_key`.
[[nodiscard]] std::uint32_t ReadAccessIn(RegistryView view, std::uint32_t root_key);

// As ReadRegistryText and RegistryItemExists (without a default), in the
// given view.
[[nodiscard]] Text ReadRegistryTextIn(RegistryView view, std::int32_t root_number,
                                      TextView full_path);
[[nodiscard]] bool RegistryItemExistsIn(RegistryView view, std::int32_t root_number, TextView full_path);

// A text value as stored: a REG_EXPAND_SZ keeps its variables, for values
// whose variables belong to another account than this process's (its
// %USERPROFILE% is not ours). Empty text when the value is missing, of
// another type or cannot be read.
struct StoredRegistryText {
  Text text;
  bool expandable = false;  // REG_EXPAND_SZ
};
[[nodiscard]] StoredRegistryText ReadStoredRegistryTextIn(RegistryView view,
                                                          std::int32_t root_number,
                                                          TextView full_path);

// The text with this process's environment variables expanded, as the
// system expands them; false when it cannot be (no memory).
[[nodiscard]] bool ExpandEnvironmentText(TextView text, Text* expanded);

// The one reader of a key's immediate subkey names, one at a time in the
// registry's order, so that a long list can be worked through while it is
// read. None when the key cannot be opened. Names of 255 characters or more
// are passed over (the name buffer holds 255 bytes with the NUL) without
// hiding the names after them, so every list of entries is read alike.
class SubkeyNames {
 public:
  SubkeyNames(RegistryView view, std::int32_t root_number, TextView key_path);
  // The next name; false once there is none.
  [[nodiscard]] bool Next(Text* name);

 private:
  port::UniqueRegistryKey key_;
  bool open_ = false;
  std::uint32_t index_ = 0;
};

// All of them at once.
[[nodiscard]] std::vector<Text> RegistrySubkeyNames(RegistryView view, std::int32_t root_number,
                                                    TextView key_path);

// The declared DLL commands, reached through the DLL command table.
// Raw Windows semantics: the caller holds the handle, RegEnumKeyA reads one
// index per call, and each returns a Windows error code, 0 = success. So
// they carry no loop of their own: a list of names is read through
// SubkeyNames, whose walk over the indexes is the only one. RegOpenKeyA
// takes no view: it opens the build's own one, which in a 64-bit build is
// the 64-bit view, while SubkeyNames names the view it reads.
[[nodiscard]] std::int32_t CallRegOpenKeyA(std::uint32_t root_key, TextView subkey,
                                           port::RegistryKey* key);
// Writes the NUL-terminated subkey name into `name_buffer` (at least
// buffer_size + 1 bytes, e.g. a SpaceText(255) block).
[[nodiscard]] std::int32_t CallRegEnumKeyA(port::RegistryKey key, std::uint32_t index,
                                           char* name_buffer, std::uint32_t buffer_size);
// Its result may be dropped: nothing can be done about a key that will not
// close.
std::int32_t CallRegCloseKey(port::RegistryKey key);

// Their results that the scan tells apart.
constexpr std::int32_t kErrorMoreData = 234;
constexpr std::int32_t kErrorNoMoreItems = 259;

}  // namespace pelmora
