// The host build's stand-in for a Windows machine: an in-memory registry
// and file system behind the registry and file ports. Tests script it;
// the runtime's portable rules run against it unchanged.
//
// Paths are GBK bytes in Windows form ("C:\Suite\x.exe"); comparison of
// path components ignores ASCII case, and listings come back sorted by
// upper-cased name, as Wine's do.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pelmora::fake {

constexpr std::uint32_t kHkeyClassesRoot = 0x80000000u;
constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;
constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;
constexpr std::uint32_t kHkeyUsers = 0x80000003u;
constexpr std::uint32_t kHkeyCurrentConfig = 0x80000005u;

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
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
  // Subkeys enumerate in insertion order unless sorted like Wine.
  void Clear();
  // Counts calls into the port, for tests of opened-and-closed balance.
  int open_keys() const;
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
  // Writes, copies, creates and deletes of this path fail with the code.
  void FailWritesTo(const std::string& path, std::uint32_t error_code);
  // Special folder number (1..11) to its path, without trailing backslash.
  void SetSpecialFolder(int number, const std::string& path);
  // Search handles open now (for leak tests).
  int open_searches() const;
  void Clear();
};
FakeFileSystem& Files();

}  // namespace pelmora::fake
