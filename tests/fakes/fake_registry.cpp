// The fake registry behind the registry port, the hive port and the three
// declared DLL commands: a tree of keys per root, values by case-folded
// name, subkeys enumerated sorted by upper-cased name as Wine does, and
// hive files whose trees move below HKEY_USERS while they are loaded.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fakes/fake_machine.h"
#include "fakes/fake_names.h"
#include "runtime/system/hive_port.h"
#include "runtime/system/registry.h"
#include "runtime/system/registry_port.h"

namespace pelmora::fake {
namespace {

constexpr std::int32_t kErrorFileNotFound = 2;
constexpr std::int32_t kErrorAccessDenied = 5;
constexpr std::int32_t kErrorInvalidHandle = 6;
constexpr std::int32_t kErrorSharingViolation = 32;
constexpr std::int32_t kErrorInvalidParameter = 87;
constexpr std::int32_t kErrorNotAllAssigned = 1300;
constexpr std::int32_t kErrorPrivilegeNotHeld = 1314;

struct Value {
  std::uint32_t type = 0;
  std::string data;
};

struct Key {
  std::string name;
  bool denied = false;
  std::map<std::string, std::unique_ptr<Key>> subkeys;  // by upper-cased name
  std::map<std::string, Value> values;                  // by upper-cased name
};

// A hive file's keys live here until it is loaded, and below HKEY_USERS
// while it is.
struct HiveFile {
  std::unique_ptr<Key> root = std::make_unique<Key>();
  std::string loaded_as;  // upper-cased name below HKEY_USERS; empty when not loaded
  std::int32_t load_error = 0;
};

struct RegistryState {
  std::map<std::uint32_t, Key> roots;
  std::map<std::string, HiveFile> hive_files;  // by upper-cased path
  std::set<std::string> privileges;            // enabled, by upper-cased name
  bool privileges_withheld = false;
  int hive_loads = 0;
  int hive_unloads = 0;
  std::map<std::string, std::string> environment;  // by upper-cased name
  std::map<std::uintptr_t, Key*> handles;
  // Above 4 GiB, as a 64-bit system may hand out: a handle cut to 32 bits
  // anywhere on its way names no key.
  std::uintptr_t next_handle = static_cast<std::uintptr_t>(0x100001000ull);
  std::uint32_t last_access = 0;
  int opens = 0;
  int stray_closes = 0;
};

RegistryState& State() {
  static RegistryState state;
  return state;
}

Key* RootKey(std::uint32_t root) {
  auto it = State().roots.find(root);
  if (it != State().roots.end()) return &it->second;
  switch (root) {
    case kHkeyClassesRoot: case kHkeyCurrentUser: case kHkeyLocalMachine:
    case kHkeyUsers: case kHkeyCurrentConfig: case kHkeyLocalMachine64:
      return &State().roots[root];
    default:
      return nullptr;
  }
}

// A root key as the system hands it to a program of the host's width:
// sign-extended. Widened any other way it names no key, as on Windows.
bool IsRootHandle(std::uintptr_t key) {
  return static_cast<std::uint32_t>(key) >= 0x80000000u &&
         key == RootKeyHandle(static_cast<std::uint32_t>(key));
}

// A root key or an open handle.
Key* KeyOf(std::uintptr_t key) {
  if (IsRootHandle(key)) return RootKey(static_cast<std::uint32_t>(key));
  auto it = State().handles.find(key);
  return it == State().handles.end() ? nullptr : it->second;
}

Key* Walk(Key* from, const std::string& path, bool create) {
  Key* key = from;
  for (const std::string& part : SplitComponents(path, false)) {
    if (part.empty()) continue;
    std::string upper = UpperName(part);
    auto it = key->subkeys.find(upper);
    if (it == key->subkeys.end()) {
      if (!create) return nullptr;
      auto child = std::make_unique<Key>();
      child->name = part;
      it = key->subkeys.emplace(upper, std::move(child)).first;
    }
    key = it->second.get();
  }
  return key;
}

constexpr std::uint32_t kWow64_64Key = 0x0100;
constexpr std::uint32_t kWow64_32Key = 0x0200;

// Only HKEY_LOCAL_MACHINE has a 64-bit view of its own here; the user's
// keys are the same in both views. An open that names no view sees what a
// 64-bit build of the program sees, the 64-bit view, so a read that forgets
// to name the 32-bit view finds nothing the 32-bit program would. RegOpenKeyA
// (no access at all) opens the 32-bit program's own view.
std::uintptr_t ViewedRoot(std::uintptr_t parent, const std::uint32_t* access) {
  if (parent != RootKeyHandle(kHkeyLocalMachine) || access == nullptr) return parent;
  if ((*access & kWow64_32Key) != 0 && (*access & kWow64_64Key) == 0) return parent;
  return RootKeyHandle(kHkeyLocalMachine64);
}

std::int32_t Open(std::uintptr_t parent, const char* subkey, std::uint32_t* access,
                  std::uintptr_t* result) {
  *result = 0;
  parent = ViewedRoot(parent, access);
  Key* from = KeyOf(parent);
  if (from == nullptr) return kErrorInvalidHandle;
  Key* key = Walk(from, subkey ? subkey : "", false);
  if (key == nullptr) return kErrorFileNotFound;
  if (key->denied) return kErrorAccessDenied;
  if (access != nullptr) State().last_access = *access;
  std::uintptr_t handle = State().next_handle;
  State().next_handle += 4;
  State().handles[handle] = key;
  ++State().opens;
  *result = handle;
  return 0;
}

std::int32_t Close(std::uintptr_t handle) {
  if (IsRootHandle(handle)) return 0;
  if (State().handles.erase(handle) == 1) return 0;
  ++State().stray_closes;
  return kErrorInvalidHandle;
}

bool Holds(const Key& tree, const Key* key) {
  if (&tree == key) return true;
  for (const auto& [name, child] : tree.subkeys) {
    if (Holds(*child, key)) return true;
  }
  return false;
}

bool AnyHandleInto(const Key& tree) {
  for (const auto& [handle, key] : State().handles) {
    if (Holds(tree, key)) return true;
  }
  return false;
}

bool PrivilegeEnabled(const char* name) { return State().privileges.count(UpperName(name)) == 1; }

HiveFile* LoadedHive(const std::string& upper_name) {
  for (auto& [path, hive] : State().hive_files) {
    if (hive.loaded_as == upper_name) return &hive;
  }
  return nullptr;
}

// The system refuses both without the restore privilege enabled, and
// takes only HKEY_USERS (or HKEY_LOCAL_MACHINE, not used here).
std::int32_t CheckHiveCall(std::uintptr_t root) {
  if (root != RootKeyHandle(kHkeyUsers)) return kErrorInvalidParameter;
  if (!PrivilegeEnabled(port::kRestorePrivilege)) return kErrorPrivilegeNotHeld;
  return 0;
}

std::int32_t LoadHive(std::uintptr_t root, const char* name, const char* file) {
  if (std::int32_t refused = CheckHiveCall(root)) return refused;
  auto it = State().hive_files.find(UpperName(file));
  if (it == State().hive_files.end()) return kErrorFileNotFound;
  HiveFile& hive = it->second;
  if (hive.load_error != 0) return hive.load_error;
  if (!hive.loaded_as.empty()) return kErrorSharingViolation;
  Key* users = RootKey(kHkeyUsers);
  const std::string upper = UpperName(name);
  if (users->subkeys.count(upper) == 1) return kErrorAccessDenied;
  hive.root->name = name;
  users->subkeys[upper] = std::move(hive.root);
  hive.loaded_as = upper;
  ++State().hive_loads;
  return 0;
}

// A key that is no loaded hive cannot be unloaded, nor one with a key of
// it open.
std::int32_t UnloadHive(std::uintptr_t root, const char* name) {
  if (std::int32_t refused = CheckHiveCall(root)) return refused;
  const std::string upper = UpperName(name);
  Key* users = RootKey(kHkeyUsers);
  auto key = users->subkeys.find(upper);
  if (key == users->subkeys.end()) return kErrorFileNotFound;
  HiveFile* hive = LoadedHive(upper);
  if (hive == nullptr) return kErrorInvalidParameter;
  if (AnyHandleInto(*key->second)) return kErrorAccessDenied;
  hive->root = std::move(key->second);
  users->subkeys.erase(key);
  hive->loaded_as.clear();
  ++State().hive_unloads;
  return 0;
}

// The file's own keys, scripted while it is not loaded.
Key* HiveRoot(const std::string& file) {
  HiveFile& hive = State().hive_files[UpperName(file)];
  if (!Files().Exists(file)) Files().AddFile(file, "regf");
  if (hive.root) return hive.root.get();
  return RootKey(kHkeyUsers)->subkeys.at(hive.loaded_as).get();
}

}  // namespace

void FakeRegistry::CreateKey(std::uint32_t root, const std::string& key) {
  Walk(RootKey(root), key, true);
}

void FakeRegistry::SetValue(std::uint32_t root, const std::string& key, const std::string& name,
                            std::uint32_t type, const std::string& data) {
  Walk(RootKey(root), key, true)->values[UpperName(name)] = Value{type, data};
}

void FakeRegistry::SetString(std::uint32_t root, const std::string& key, const std::string& name,
                             const std::string& text) {
  SetValue(root, key, name, kRegSz, text + std::string(1, '\0'));
}

void FakeRegistry::SetEnvironment(const std::string& name, const std::string& value) {
  State().environment[UpperName(name)] = value;
}

void FakeRegistry::DenyAccess(std::uint32_t root, const std::string& key) {
  Walk(RootKey(root), key, true)->denied = true;
}

void FakeRegistry::Clear() { State() = RegistryState(); }

void FakeRegistry::SetHiveValue(const std::string& file, const std::string& key,
                                const std::string& name, std::uint32_t type,
                                const std::string& data) {
  Walk(HiveRoot(file), key, true)->values[UpperName(name)] = Value{type, data};
}

void FakeRegistry::SetHiveString(const std::string& file, const std::string& key,
                                 const std::string& name, const std::string& text) {
  SetHiveValue(file, key, name, kRegSz, text + std::string(1, '\0'));
}

void FakeRegistry::FailHiveLoad(const std::string& file, std::int32_t error_code) {
  HiveRoot(file);
  State().hive_files[UpperName(file)].load_error = error_code;
}

void FakeRegistry::WithholdPrivileges() { State().privileges_withheld = true; }

int FakeRegistry::hive_loads() const { return State().hive_loads; }
int FakeRegistry::hive_unloads() const { return State().hive_unloads; }

std::vector<std::string> FakeRegistry::loaded_hives() const {
  std::vector<std::string> names;
  for (const auto& [path, hive] : State().hive_files) {
    if (!hive.loaded_as.empty()) names.push_back(RootKey(kHkeyUsers)->subkeys.at(hive.loaded_as)->name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

int FakeRegistry::open_keys() const { return static_cast<int>(State().handles.size()); }
int FakeRegistry::stray_closes() const { return State().stray_closes; }
int FakeRegistry::opens() const { return State().opens; }
std::uint32_t FakeRegistry::last_access() const { return State().last_access; }

FakeRegistry& Registry() {
  static FakeRegistry registry;
  return registry;
}

}  // namespace pelmora::fake

namespace pelmora::port {
using fake::State;

std::int32_t OpenRegistryKey(RegistryKey root, const char* subkey, std::uint32_t access,
                             RegistryKey* key) {
  return fake::Open(root, subkey, &access, key);
}

std::int32_t QueryRegistryValue(RegistryKey key, const char* name, std::uint32_t* type,
                                unsigned char* data, std::uint32_t* size) {
  fake::Key* k = fake::KeyOf(key);
  if (k == nullptr) return fake::kErrorInvalidHandle;
  auto it = k->values.find(fake::UpperName(name ? name : ""));
  if (it == k->values.end()) return fake::kErrorFileNotFound;
  const fake::Value& value = it->second;
  if (type != nullptr) *type = value.type;
  std::uint32_t capacity = size ? *size : 0;
  if (size != nullptr) *size = static_cast<std::uint32_t>(value.data.size());
  if (data == nullptr) return 0;
  if (capacity < value.data.size()) return kErrorMoreData;
  std::memcpy(data, value.data.data(), value.data.size());
  return 0;
}

void CloseRegistryKey(RegistryKey key) { fake::Close(key); }

std::int32_t EnableProcessPrivilege(const char* name) {
  if (State().privileges_withheld) return fake::kErrorNotAllAssigned;
  State().privileges.insert(fake::UpperName(name));
  return 0;
}

std::int32_t LoadRegistryHive(RegistryKey root, const char* name, const char* file) {
  return fake::LoadHive(root, name, file);
}

std::int32_t UnloadRegistryHive(RegistryKey root, const char* name) {
  return fake::UnloadHive(root, name);
}

std::int32_t EnumerateRegistryKey(RegistryKey key, std::uint32_t index, char* name,
                                  std::uint32_t* size) {
  fake::Key* k = fake::KeyOf(key);
  if (k == nullptr) return fake::kErrorInvalidHandle;
  if (index >= k->subkeys.size()) return kErrorNoMoreItems;
  auto it = k->subkeys.begin();
  std::advance(it, index);
  const std::string& subkey = it->second->name;
  if (subkey.size() + 1 > *size) return kErrorMoreData;
  std::memcpy(name, subkey.c_str(), subkey.size() + 1);
  *size = static_cast<std::uint32_t>(subkey.size());
  return 0;
}

// %NAME% is replaced by the variable's value; unknown names stay as written.
std::uint32_t ExpandEnvironment(const char* source, char* destination, std::uint32_t size) {
  std::string in(source);
  std::string out;
  std::size_t i = 0;
  while (i < in.size()) {
    std::size_t close = in[i] == '%' ? in.find('%', i + 1) : std::string::npos;
    if (close == std::string::npos) {
      out.push_back(in[i++]);
      continue;
    }
    auto it = State().environment.find(fake::UpperName(in.substr(i + 1, close - i - 1)));
    if (it == State().environment.end()) {
      out += in.substr(i, close - i);
      i = close;
      continue;
    }
    out += it->second;
    i = close + 1;
  }
  std::uint32_t needed = static_cast<std::uint32_t>(out.size() + 1);
  if (destination != nullptr && size >= needed) std::memcpy(destination, out.c_str(), needed);
  return needed;
}

}  // namespace pelmora::port

namespace pelmora {

std::int32_t CallRegOpenKeyA(std::uint32_t root_key, TextView subkey, port::RegistryKey* key) {
  return fake::Open(RootKeyHandle(root_key), subkey.c_str(), nullptr, key);
}

// RegEnumKeyA is RegEnumKeyExA without the name's length coming back.
std::int32_t CallRegEnumKeyA(port::RegistryKey key, std::uint32_t index, char* name_buffer,
                             std::uint32_t buffer_size) {
  return port::EnumerateRegistryKey(key, index, name_buffer, &buffer_size);
}

std::int32_t CallRegCloseKey(port::RegistryKey key) { return fake::Close(key); }

}  // namespace pelmora
