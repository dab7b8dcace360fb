// A scripted library loader: which names load, which exports they have, and
// the order in which loads were tried.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

namespace pelmora::fake {

struct FakeLoader {
  // Paths (as passed to the port) that load, each with its exports.
  std::map<std::string, std::set<std::string>> system_libraries;  // by name
  std::map<std::string, std::set<std::string>> files;             // by path
  std::vector<std::string> attempts;  // "system:x", "file:x"
  std::vector<std::string> unloaded;
  void Reset() { *this = FakeLoader(); }
};

FakeLoader& Loader();

}  // namespace pelmora::fake
