// The host build's stand-in for a Windows machine: an in-memory registry
// and file system behind the registry and file ports. Tests script it;
// the runtime's portable rules run against it unchanged.
//
// Paths are GBK bytes in Windows form ("C:\Suite\x.exe"); comparison of
// path components ignores ASCII case, and listings come back sorted by
// upper-cased name, as Wine's do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "runtime/system/registry.h"
#include "runtime/system/registry_port.h"

namespace pelmora::fake {

using pelmora::kHkeyClassesRoot;
using pelmora::kHkeyCurrentConfig;
using pelmora::kHkeyCurrentUser;
using pelmora::kHkeyLocalMachine;
using pelmora::kHkeyUsers;
// HKEY_LOCAL_MACHINE as the program sees it when it asks for the 64-bit
// view: a tree of its own, as on 64-bit Windows, where the plain root is the
// 32-bit view. Only the fake knows this number; tests write 64-bit keys here.
constexpr std::uint32_t kHkeyLocalMachine64 = 0x80000102u;

using port::kRegExpandSz;
using port::kRegSz;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

class FakeRegistry {
 public:
  // Creates the key and its parents. Key paths are relative to the root.
  void CreateKey(std::uint32_t root, const std::string& key);
  // Raw data exactly as stored (a REG_SZ "abc" is "abc" plus its NUL when
  // the test wants one).
  void SetValue(std::uint32_t root, const std::string& key, const std::string& name,
                std::uint32_t type, const std::string& data);
  // A REG_SZ with its terminating NUL.
  void SetString(std::uint32_t root, const std::string& key, const std::string& name,
                 const std::string& text);
  void SetEnvironment(const std::string& name, const std::string& value);
  // Opening that key fails with ERROR_ACCESS_DENIED.
  void DenyAccess(std::uint32_t root, const std::string& key);
  // Subkeys enumerate sorted by upper-cased name, as Wine's do, whatever
  // the order of creation.
  void Clear();

  // An account's hive file (its NTUSER.DAT) as RegLoadKeyA finds it: a
  // value below the hive's root. The file appears in the fake file system.
  void SetHiveValue(const std::string& file, const std::string& key, const std::string& name,
                    std::uint32_t type, const std::string& data);
  void SetHiveString(const std::string& file, const std::string& key, const std::string& name,
                     const std::string& text);
  // Loading that file fails with the code (a sharing violation, say).
  void FailHiveLoad(const std::string& file, std::int32_t error_code);
  // The account holds no privileges: enabling one fails, and so does every
  // load and unload, which need SeRestorePrivilege.
  void WithholdPrivileges();
  // Loads and unloads through the port since the last Clear, and the names
  // below HKEY_USERS of the hives loaded now, sorted.
  int hive_loads() const;
  int hive_unloads() const;
  std::vector<std::string> loaded_hives() const;
  // Keys open now, through the port or the DLL commands, for tests of
  // opened-and-closed balance.
  int open_keys() const;
  // Closes of handles that were not open (a key that failed to open, or
  // one closed twice) since the last Clear.
  int stray_closes() const;
  // Keys opened since the last Clear, and the access mask of the last open
  // through the port.
  int opens() const;
  std::uint32_t last_access() const;
};
FakeRegistry& Registry();

class FakeFileSystem {
 public:
  void AddFolder(const std::string& path, std::uint32_t attributes = 0x10);
  // Parent folders are created as needed.
  void AddFile(const std::string& path, const std::string& content = "",
               std::uint32_t attributes = 0x20);
  // A .lnk file that the shell link reader resolves to `target`.
  void AddShortcut(const std::string& path, const std::string& target);
  std::optional<std::string> ReadFile(const std::string& path) const;
  bool Exists(const std::string& path) const;
  // Every folder and file with its attributes, content and shortcut target,
  // one per line: equal listings mean nothing was created, changed or
  // deleted.
  std::string Listing() const;
  // Writes, copies, creates and deletes of this path fail with the code.
  void FailWritesTo(const std::string& path, std::uint32_t error_code);
  // The file can be created, but writing more than `good_bytes` in all
  // fails with the code (a full disk); with `on_close` the writes succeed
  // and closing the file fails instead.
  void FailDataWritesTo(const std::string& path, std::uint32_t error_code,
                        std::size_t good_bytes = 0, bool on_close = false);
  // Deletes of this path report success and leave the file where it is,
  // as Wine 8 does for a file the file system keeps immutable.
  void KeepAfterDelete(const std::string& path);
  // The file's short 8.3 name: a search for exactly that name finds the
  // file under its own name, as Windows' searches do.
  void SetShortName(const std::string& path, const std::string& short_name);
  // Another process replaces the file's content the moment a write to it
  // has completed (its writer closed it), once.
  void ReplaceAfterWrite(const std::string& path, const std::string& content);
  // The folder at `path` is a junction to the folder `target`: opened
  // itself it shows the reparse-point attribute, as on Windows; whatever is
  // opened below it is named by the system under `target`, which it has
  // followed. What lies below stays where the test put it.
  void MakeLink(const std::string& path, const std::string& target);
  // The file's data has this many names (hard links).
  void SetLinkCount(const std::string& path, std::uint32_t links);
  // The system cannot name an open file's final path, as before Vista.
  void SetFinalPathCallMissing(bool missing);
  // Special folder number (1..11) to its path, returned exactly as given
  // (the system's temporary folder comes with its trailing backslash);
  // the folder is created. Defaults: 3 = C:\users\pelmora\Desktop, the
  // others below C:\users\pelmora, 9 = C:\windows,
  // 10 = C:\windows\system32, 11 = C:\windows\temp\ . An empty path makes
  // the platform call fail.
  void SetSpecialFolder(int number, const std::string& path);
  // Relative paths resolve against this folder (default C:\).
  void SetCurrentFolder(const std::string& path);
  // Search handles open now (for leak tests).
  int open_searches() const;
  // File handles open now (being written, or held by HeldFile).
  int open_files() const;
  // Write calls made and the address the last one wrote from, to show
  // that a byte set is written straight from its own block.
  int write_calls() const;
  const void* last_write_source() const;
  void Clear();
};
FakeFileSystem& Files();

}  // namespace pelmora::fake
