#include "fakes/library_fake.h"

#include <string>

#include "runtime/system/library_port.h"

namespace pelmora::fake {

FakeLoader& Loader() {
  static FakeLoader loader;
  return loader;
}

namespace {

// A handle is a heap copy of the library's key, released on unload.
struct FakeLibrary {
  std::string key;
  const std::set<std::string>* exports;
};

port::LibraryHandle Load(const std::map<std::string, std::set<std::string>>& table,
                         const std::string& key) {
  auto it = table.find(key);
  if (it == table.end()) return nullptr;
  return new FakeLibrary{key, &it->second};
}

}  // namespace
}  // namespace pelmora::fake

namespace pelmora::port {
using fake::Loader;

LibraryHandle LoadSystemLibrary(const char* name) {
  Loader().attempts.push_back(std::string("system:") + name);
  return fake::Load(Loader().system_libraries, name);
}
LibraryHandle LoadLibraryAt(const char* path) {
  Loader().attempts.push_back(std::string("file:") + path);
  return fake::Load(Loader().files, path);
}
void* FindExport(LibraryHandle library, const char* name) {
  auto* lib = static_cast<fake::FakeLibrary*>(library);
  auto it = lib->exports->find(name);
  return it == lib->exports->end() ? nullptr : const_cast<std::string*>(&*it);
}
void* FindExportByOrdinal(LibraryHandle library, std::uint16_t ordinal) {
  return FindExport(library, ("#" + std::to_string(ordinal)).c_str());
}
void UnloadLibrary(LibraryHandle library) {
  auto* lib = static_cast<fake::FakeLibrary*>(library);
  Loader().unloaded.push_back(lib->key);
  delete lib;
}

}  // namespace pelmora::port
