// The fake file system behind the file, shell link and system error ports:
// drives of folders and files in memory, case-insensitive per ASCII,
// listings sorted by upper-cased name as Wine's are, with "." and ".."
// first in every folder but a drive's root.
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_machine.h"
#include "fakes/fake_names.h"
#include "runtime/system/files_port.h"
#include "runtime/system/shell_link_port.h"
#include "runtime/system/system_error_port.h"

namespace pelmora::fake {
namespace {

constexpr std::uint32_t kFolder = port::kAttributeFolder;
constexpr std::uint32_t kReadOnly = port::kAttributeReadOnly;
using port::kErrorAccessDenied;
using port::kErrorFileExists;
using port::kErrorFileNotFound;
using port::kErrorPathNotFound;
using port::kErrorInvalidHandle;
constexpr std::uint32_t kErrorSharingViolation = 32;
using port::kErrorInvalidName;

struct Node {
  std::string name;
  std::uint32_t attributes = kFolder;
  std::string content;
  bool shortcut = false;
  std::string target;
  std::string short_name;  // upper-cased; empty when none
  std::string link_target;  // a junction to this folder; empty when none
  std::uint32_t links = 1;
  int writers = 0;
  int holders = 0;
  std::map<std::string, std::unique_ptr<Node>> children;  // by upper-cased name
  bool is_folder() const { return (attributes & kFolder) != 0; }
};

struct DataFailure {
  std::uint32_t code;
  std::size_t good_bytes;
  bool on_close;
};

struct Search {
  std::vector<std::pair<std::string, std::uint32_t>> entries;
  std::size_t next = 0;
};

struct OpenFile {
  Node* node;
  bool writing;
  std::string key;  // upper-cased full path, for the failure rules
  std::string path;  // as opened, for the final path
  std::size_t written = 0;
};

struct FileState {
  std::map<std::string, Node> drives;  // "C:"
  std::map<std::string, std::uint32_t> failing_paths;
  std::map<std::string, DataFailure> data_failures;
  std::map<std::string, std::string> replacements;  // by upper-cased full path
  std::map<std::string, bool> kept_after_delete;    // by upper-cased full path
  std::map<int, std::string> special;
  std::string current = "C:\\";
  std::map<std::uintptr_t, Search> searches;
  std::map<std::uintptr_t, OpenFile> files;
  std::uintptr_t next_handle = 0x100;
  int write_calls = 0;
  const void* last_write_source = nullptr;
  bool final_path_call_missing = false;
};

FileState& State() {
  static FileState state;
  return state;
}

// A parsed absolute path: drive and components; `trailing` when it ended
// in a separator.
struct Path {
  bool valid = false;
  std::string drive;
  std::vector<std::string> parts;
  bool trailing = false;
  std::string key() const {
    std::string k = UpperName(drive);
    for (const std::string& p : parts) k += "\\" + UpperName(p);
    return k;
  }
};

bool HasDrive(const std::string& s) {
  return s.size() >= 2 && s[1] == ':' &&
         ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z'));
}

Path Parse(const std::string& raw) {
  Path path;
  if (raw.empty()) return path;
  std::string full = raw;
  if (!HasDrive(full)) {
    if (full[0] == '\\' || full[0] == '/') {
      full = State().current.substr(0, 2) + full;
    } else {
      full = State().current + "\\" + full;
    }
  }
  path.drive = UpperName(full.substr(0, 2));
  std::vector<std::string> parts = SplitComponents(full.substr(2), true);
  path.trailing = parts.size() > 1 && parts.back().empty();
  for (const std::string& part : parts) {
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!path.parts.empty()) path.parts.pop_back();
      continue;
    }
    path.parts.push_back(part);
  }
  path.valid = true;
  return path;
}

Node* Find(const Path& path, std::size_t depth) {
  if (!path.valid) return nullptr;
  auto drive = State().drives.find(path.drive);
  if (drive == State().drives.end()) return nullptr;
  Node* node = &drive->second;
  for (std::size_t i = 0; i < depth; ++i) {
    if (!node->is_folder()) return nullptr;
    auto it = node->children.find(UpperName(path.parts[i]));
    if (it == node->children.end()) return nullptr;
    node = it->second.get();
  }
  return node;
}

Node* Find(const Path& path) { return Find(path, path.parts.size()); }
Node* Parent(const Path& path) {
  if (path.parts.empty()) return nullptr;
  Node* parent = Find(path, path.parts.size() - 1);
  return parent != nullptr && parent->is_folder() ? parent : nullptr;
}

Node* Make(const std::string& raw, std::uint32_t attributes) {
  Path path = Parse(raw);
  Node* node = &State().drives[path.drive];
  node->name = path.drive;
  for (const std::string& part : path.parts) {
    auto& child = node->children[UpperName(part)];
    if (!child) {
      child = std::make_unique<Node>();
      child->name = part;
    }
    node = child.get();
  }
  node->attributes = attributes;
  return node;
}

// Windows wildcards over characters (a double-byte character is one):
// '*' any run, '?' one character, and a trailing ".*" also matches a name
// without any extension.
std::vector<std::string> Characters(const std::string& s) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    std::size_t n = IsLeadByte(s[i]) && i + 1 < s.size() ? 2 : 1;
    out.push_back(UpperName(s.substr(i, n)));
    i += n - 1;
  }
  return out;
}

bool Match(const std::vector<std::string>& p, std::size_t pi, const std::vector<std::string>& n,
           std::size_t ni) {
  if (pi == p.size()) return ni == n.size();
  if (p[pi] == "*") {
    for (std::size_t k = ni; k <= n.size(); ++k) {
      if (Match(p, pi + 1, n, k)) return true;
    }
    return false;
  }
  if (ni == n.size()) return false;
  if (p[pi] == "?" || p[pi] == n[ni]) return Match(p, pi + 1, n, ni + 1);
  return false;
}

bool WildcardMatch(const std::string& pattern, const std::string& name) {
  if (Match(Characters(pattern), 0, Characters(name), 0)) return true;
  if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0) {
    return Match(Characters(pattern.substr(0, pattern.size() - 2)), 0, Characters(name), 0);
  }
  return false;
}

bool HasWildcards(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }

// The code a scripted failure reports; it may be 0, as some system calls
// fail without setting one.
std::optional<std::uint32_t> FailureFor(const Path& path) {
  auto it = State().failing_paths.find(path.key());
  if (it == State().failing_paths.end()) return std::nullopt;
  return it->second;
}

std::uintptr_t NewHandle() {
  std::uintptr_t h = State().next_handle;
  State().next_handle += 4;
  return h;
}

const char* const kDefaultSpecial[12] = {
    nullptr,
    "C:\\users\\pelmora\\Documents",
    "C:\\users\\pelmora\\Favorites",
    "C:\\users\\pelmora\\Desktop",
    "C:\\windows\\Fonts",
    "C:\\users\\pelmora\\Start Menu",
    "C:\\users\\pelmora\\Start Menu\\Programs",
    "C:\\users\\pelmora\\Start Menu\\Programs\\StartUp",
    "C:\\users\\pelmora\\AppData\\Roaming",
    "C:\\windows",
    "C:\\windows\\system32",
    "C:\\windows\\temp\\",
};

void Reset() {
  State() = FileState();
  for (int n = 1; n <= 11; ++n) Files().SetSpecialFolder(n, kDefaultSpecial[n]);
}

// Set up the defaults before the first test touches the fake.
struct Initialiser {
  Initialiser() { Reset(); }
} g_initialiser;

bool CopyOut(const std::string& value, char* buffer) {
  if (value.empty() || value.size() >= port::kPathBuffer) return false;
  std::memcpy(buffer, value.c_str(), value.size() + 1);
  return true;
}

bool SpecialPath(int number, char* buffer) {
  auto it = State().special.find(number);
  return it != State().special.end() && CopyOut(it->second, buffer);
}

}  // namespace

void FakeFileSystem::AddFolder(const std::string& path, std::uint32_t attributes) {
  Make(path, attributes | kFolder);
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& content,
                             std::uint32_t attributes) {
  Node* node = Make(path, attributes & ~kFolder);
  node->content = content;
  node->children.clear();
}

void FakeFileSystem::AddShortcut(const std::string& path, const std::string& target) {
  AddFile(path, "L\0\0\0" + target, 0x20);
  Node* node = Find(Parse(path));
  node->shortcut = true;
  node->target = target;
}

std::optional<std::string> FakeFileSystem::ReadFile(const std::string& path) const {
  Node* node = Find(Parse(path));
  if (node == nullptr || node->is_folder()) return std::nullopt;
  return node->content;
}

bool FakeFileSystem::Exists(const std::string& path) const { return Find(Parse(path)) != nullptr; }

namespace {
void ListNode(const std::string& path, const Node& node, std::string* out) {
  *out += path + " " + std::to_string(node.attributes) + " [" + node.content + "] " + node.target + "\n";
  for (const auto& [key, child] : node.children) ListNode(path + "\\" + child->name, *child, out);
}
}  // namespace

std::string FakeFileSystem::Listing() const {
  std::string out;
  for (const auto& [drive, node] : State().drives) ListNode(drive, node, &out);
  return out;
}

void FakeFileSystem::FailWritesTo(const std::string& path, std::uint32_t error_code) {
  State().failing_paths[Parse(path).key()] = error_code;
}

void FakeFileSystem::FailDataWritesTo(const std::string& path, std::uint32_t error_code,
                                      std::size_t good_bytes, bool on_close) {
  State().data_failures[Parse(path).key()] = DataFailure{error_code, good_bytes, on_close};
}

void FakeFileSystem::ReplaceAfterWrite(const std::string& path, const std::string& content) {
  State().replacements[Parse(path).key()] = content;
}

void FakeFileSystem::KeepAfterDelete(const std::string& path) {
  State().kept_after_delete[Parse(path).key()] = true;
}

void FakeFileSystem::SetShortName(const std::string& path, const std::string& short_name) {
  if (Node* node = Find(Parse(path))) node->short_name = UpperName(short_name);
}

void FakeFileSystem::MakeLink(const std::string& path, const std::string& target) {
  if (Node* node = Find(Parse(path))) node->link_target = target;
}

void FakeFileSystem::SetLinkCount(const std::string& path, std::uint32_t links) {
  if (Node* node = Find(Parse(path))) node->links = links;
}

void FakeFileSystem::SetFinalPathCallMissing(bool missing) {
  State().final_path_call_missing = missing;
}

void FakeFileSystem::SetSpecialFolder(int number, const std::string& path) {
  State().special[number] = path;
  if (!path.empty()) AddFolder(path);
}

void FakeFileSystem::SetCurrentFolder(const std::string& path) { State().current = path; }

int FakeFileSystem::open_searches() const { return static_cast<int>(State().searches.size()); }
int FakeFileSystem::open_files() const { return static_cast<int>(State().files.size()); }
int FakeFileSystem::write_calls() const { return State().write_calls; }
const void* FakeFileSystem::last_write_source() const { return State().last_write_source; }

void FakeFileSystem::Clear() { Reset(); }

FakeFileSystem& Files() {
  static FakeFileSystem files;
  return files;
}

}  // namespace pelmora::fake

namespace pelmora::port {
using fake::Find;
using fake::Parse;
using fake::State;

SearchHandle FindFirstEntry(const char* pattern, FoundEntry* entry, std::uint32_t* error) {
  fake::Path path = Parse(pattern);
  if (!path.valid || path.trailing) {
    *error = fake::kErrorFileNotFound;
    return 0;
  }
  fake::Search search;
  if (path.parts.empty()) {
    *error = fake::kErrorFileNotFound;  // a bare drive lists nothing
    return 0;
  }
  fake::Node* parent = fake::Parent(path);
  if (parent == nullptr) {
    *error = fake::kErrorPathNotFound;
    return 0;
  }
  const std::string& last = path.parts.back();
  if (fake::HasWildcards(last)) {
    if (path.parts.size() > 1) {
      for (const char* dot : {".", ".."}) {
        if (fake::WildcardMatch(last, dot)) search.entries.emplace_back(dot, fake::kFolder);
      }
    }
    for (const auto& [upper, child] : parent->children) {
      if (fake::WildcardMatch(last, child->name)) {
        search.entries.emplace_back(child->name, child->attributes);
      }
    }
  } else if (fake::Node* node = Find(path)) {
    search.entries.emplace_back(node->name, node->attributes);
  } else {
    for (const auto& [upper, child] : parent->children) {
      if (!child->short_name.empty() && child->short_name == fake::UpperName(last)) {
        search.entries.emplace_back(child->name, child->attributes);
      }
    }
  }
  if (search.entries.empty()) {
    *error = fake::kErrorFileNotFound;
    return 0;
  }
  std::uintptr_t handle = fake::NewHandle();
  State().searches[handle] = search;
  (void)FindNextEntry(handle, entry);  // the first entry exists: the list is not empty
  return handle;
}

bool FindNextEntry(SearchHandle handle, FoundEntry* entry) {
  auto it = State().searches.find(handle);
  if (it == State().searches.end()) return false;
  fake::Search& search = it->second;
  if (search.next >= search.entries.size()) return false;
  const auto& [name, attributes] = search.entries[search.next++];
  entry->attributes = attributes;
  std::snprintf(entry->name, sizeof entry->name, "%s", name.c_str());
  return true;
}

void CloseSearch(SearchHandle handle) { State().searches.erase(handle); }

namespace {

// The file a copy or a move starts from; null with the system's code when
// there is none.
fake::Node* SourceFile(const fake::Path& from, std::uint32_t* error) {
  fake::Node* src = Find(from);
  if (src != nullptr && !from.trailing) return src;
  *error = fake::Parent(from) ? fake::kErrorFileNotFound : fake::kErrorPathNotFound;
  return nullptr;
}

}  // namespace

namespace {

bool CopyFileOver(const char* source, const char* destination, bool replace,
                  std::uint32_t* error) {
  fake::Path from = Parse(source);
  fake::Path to = Parse(destination);
  fake::Node* src = SourceFile(from, error);
  if (src == nullptr) return false;
  if (src->is_folder()) {
    *error = fake::kErrorAccessDenied;
    return false;
  }
  if (src->writers > 0) {
    *error = fake::kErrorSharingViolation;
    return false;
  }
  if (std::optional<std::uint32_t> code = fake::FailureFor(to)) {
    *error = *code;
    return false;
  }
  fake::Node* parent = fake::Parent(to);
  if (parent == nullptr || to.trailing) {
    *error = fake::kErrorPathNotFound;
    return false;
  }
  fake::Node* dst = Find(to);
  if (dst != nullptr && !replace) {
    *error = fake::kErrorFileExists;
    return false;
  }
  if (dst != nullptr) {
    if (dst->is_folder() || (dst->attributes & fake::kReadOnly) != 0) {
      *error = fake::kErrorAccessDenied;
      return false;
    }
    if (dst->writers > 0 || dst->holders > 0) {
      *error = fake::kErrorSharingViolation;
      return false;
    }
  }
  if (dst == src) return true;
  auto copy = std::make_unique<fake::Node>();
  copy->name = dst != nullptr ? dst->name : to.parts.back();
  copy->attributes = src->attributes;
  copy->content = src->content;
  copy->shortcut = src->shortcut;
  copy->target = src->target;
  parent->children[fake::UpperName(to.parts.back())] = std::move(copy);
  return true;
}

}  // namespace

bool CopyFileReplacing(const char* source, const char* destination, std::uint32_t* error) {
  return CopyFileOver(source, destination, true, error);
}

bool CopyFileCreatingNew(const char* source, const char* destination, std::uint32_t* error) {
  return CopyFileOver(source, destination, false, error);
}

bool MoveFileReplacing(const char* source, const char* destination, std::uint32_t* error) {
  fake::Path from = Parse(source);
  fake::Path to = Parse(destination);
  fake::Node* src = SourceFile(from, error);
  if (src == nullptr) return false;
  for (const fake::Path* path : {&from, &to}) {
    if (std::optional<std::uint32_t> code = fake::FailureFor(*path)) {
      *error = *code;
      return false;
    }
  }
  fake::Node* parent = fake::Parent(to);
  if (parent == nullptr || to.trailing) {
    *error = fake::kErrorPathNotFound;
    return false;
  }
  fake::Node* dst = Find(to);
  if (dst == src) return true;
  if (dst != nullptr && (dst->is_folder() || (dst->attributes & fake::kReadOnly) != 0)) {
    *error = fake::kErrorAccessDenied;
    return false;
  }
  if (src->writers > 0 || src->holders > 0 || (dst != nullptr && (dst->writers > 0 || dst->holders > 0))) {
    *error = fake::kErrorSharingViolation;
    return false;
  }
  std::unique_ptr<fake::Node> moved =
      std::move(fake::Parent(from)->children[fake::UpperName(from.parts.back())]);
  fake::Parent(from)->children.erase(fake::UpperName(from.parts.back()));
  moved->name = to.parts.back();
  // Another program that writes the file the moment it lands.
  auto replacement = State().replacements.find(to.key());
  if (replacement != State().replacements.end()) {
    moved->content = replacement->second;
    State().replacements.erase(replacement);
  }
  parent->children[fake::UpperName(to.parts.back())] = std::move(moved);
  return true;
}

bool DeleteFileAt(const char* path_text, std::uint32_t* error) {
  fake::Path path = Parse(path_text);
  fake::Node* node = Find(path);
  if (node == nullptr || path.trailing || fake::HasWildcards(path_text)) {
    *error = fake::Parent(path) ? fake::kErrorFileNotFound : fake::kErrorPathNotFound;
    if (fake::HasWildcards(path_text)) *error = fake::kErrorInvalidName;
    return false;
  }
  if (std::optional<std::uint32_t> code = fake::FailureFor(path)) {
    *error = *code;
    return false;
  }
  if (node->is_folder() || (node->attributes & fake::kReadOnly) != 0) {
    *error = fake::kErrorAccessDenied;
    return false;
  }
  if (node->writers > 0 || node->holders > 0) {
    *error = fake::kErrorSharingViolation;
    return false;
  }
  if (State().kept_after_delete.count(path.key()) != 0) return true;
  fake::Parent(path)->children.erase(fake::UpperName(path.parts.back()));
  return true;
}

namespace {

enum class Disposition { kCreateAlways, kOpenExisting, kCreateNew };

FileHandle OpenForWriting(const char* path_text, Disposition disposition, std::uint32_t* error) {
  fake::Path path = Parse(path_text);
  if (!path.valid || path.parts.empty() || fake::HasWildcards(path_text)) {
    *error = fake::kErrorInvalidName;
    return 0;
  }
  if (std::optional<std::uint32_t> code = fake::FailureFor(path)) {
    *error = *code;
    return 0;
  }
  fake::Node* parent = fake::Parent(path);
  if (parent == nullptr) {
    *error = fake::kErrorPathNotFound;
    return 0;
  }
  fake::Node* node = Find(path);
  if (node != nullptr && disposition == Disposition::kCreateNew) {
    *error = fake::kErrorFileExists;
    return 0;
  }
  if (node == nullptr && disposition == Disposition::kOpenExisting) {
    *error = fake::kErrorFileNotFound;
    return 0;
  }
  if (node != nullptr) {
    if (node->is_folder() || (node->attributes & fake::kReadOnly) != 0) {
      *error = fake::kErrorAccessDenied;
      return 0;
    }
    if (node->writers > 0 || node->holders > 0) {
      *error = fake::kErrorSharingViolation;
      return 0;
    }
    if (disposition == Disposition::kCreateAlways) {
      node->content.clear();
      node->shortcut = false;
    }
  } else {
    if (path.trailing) {
      *error = fake::kErrorInvalidName;
      return 0;
    }
    auto child = std::make_unique<fake::Node>();
    child->name = path.parts.back();
    child->attributes = 0x20;
    node = child.get();
    parent->children[fake::UpperName(child->name)] = std::move(child);
  }
  ++node->writers;
  std::uintptr_t handle = fake::NewHandle();
  State().files[handle] = fake::OpenFile{node, true, path.key(), path_text};
  return handle;
}

}  // namespace

std::string FullPathName(const char* path) {
  const std::string given = path;
  if (given.empty() || fake::HasDrive(given)) return given;
  return fake::State().current + "\\" + given;
}

FileHandle CreateFileForWriting(const char* path_text, std::uint32_t* error) {
  return OpenForWriting(path_text, Disposition::kCreateAlways, error);
}

FileHandle OpenFileForAppending(const char* path_text, std::uint32_t* error) {
  return OpenForWriting(path_text, Disposition::kOpenExisting, error);
}

FileHandle CreateFileForAppending(const char* path_text, std::uint32_t* error) {
  return OpenForWriting(path_text, Disposition::kCreateNew, error);
}

bool WriteToFile(FileHandle file, const void* bytes, std::uint32_t size, std::uint32_t* error) {
  auto it = State().files.find(file);
  if (it == State().files.end() || !it->second.writing) {
    *error = fake::kErrorInvalidHandle;
    return false;
  }
  fake::OpenFile& open = it->second;
  ++State().write_calls;
  State().last_write_source = bytes;
  auto failure = State().data_failures.find(open.key);
  if (failure != State().data_failures.end() && !failure->second.on_close &&
      open.written + size > failure->second.good_bytes) {
    // A full disk takes what fits, then refuses the rest.
    std::size_t fits = failure->second.good_bytes - open.written;
    open.node->content.append(static_cast<const char*>(bytes), fits);
    open.written += fits;
    *error = failure->second.code;
    return false;
  }
  open.node->content.append(static_cast<const char*>(bytes), size);
  open.written += size;
  return true;
}

FileHandle OpenFileDenyingWrites(const char* path_text, std::uint32_t* error) {
  fake::Path path = Parse(path_text);
  fake::Node* node = Find(path);
  if (node == nullptr || path.trailing) {
    *error = fake::Parent(path) ? fake::kErrorFileNotFound : fake::kErrorPathNotFound;
    return 0;
  }
  if (node->is_folder()) {
    *error = fake::kErrorAccessDenied;
    return 0;
  }
  if (node->writers > 0) {
    *error = fake::kErrorSharingViolation;
    return 0;
  }
  ++node->holders;
  std::uintptr_t handle = fake::NewHandle();
  State().files[handle] = fake::OpenFile{node, false, path.key(), path_text};
  return handle;
}

// Backup semantics open files as well; the caller checks which it got.
FileHandle OpenFolderForHolding(const char* path_text, std::uint32_t* error) {
  fake::Path path = Parse(path_text);
  fake::Node* node = Find(path);
  if (node == nullptr) {
    *error = fake::Parent(path) ? fake::kErrorFileNotFound : fake::kErrorPathNotFound;
    return 0;
  }
  ++node->holders;
  std::uintptr_t handle = fake::NewHandle();
  State().files[handle] = fake::OpenFile{node, false, path.key(), path_text};
  return handle;
}

bool FileFactsOf(FileHandle file, FileFacts* facts, std::uint32_t* error) {
  auto it = State().files.find(file);
  if (it == State().files.end()) {
    *error = fake::kErrorInvalidHandle;
    return false;
  }
  const fake::Node& node = *it->second.node;
  facts->attributes = node.attributes | (node.link_target.empty() ? 0 : kAttributeReparsePoint);
  facts->links = node.links;
  return true;
}

// Opened itself, a junction keeps its own path, as on Windows; below it the
// system has followed it to its target.
bool FinalPathOf(FileHandle file, std::string* final_path, std::uint32_t* error) {
  auto it = State().files.find(file);
  if (State().final_path_call_missing || it == State().files.end()) {
    *error = State().final_path_call_missing ? kErrorCallNotImplemented : fake::kErrorInvalidHandle;
    return false;
  }
  const fake::Path path = Parse(it->second.path);
  std::string named = path.drive;
  const fake::Node* node = Find(path, 0);
  for (const std::string& part : path.parts) {
    const fake::Node* child = nullptr;
    if (node != nullptr) {
      if (!node->link_target.empty()) named = node->link_target;
      auto found = node->children.find(fake::UpperName(part));
      if (found != node->children.end()) child = found->second.get();
    }
    named += "\\" + (child != nullptr ? child->name : part);
    node = child;
  }
  *final_path = "\\\\?\\" + (path.parts.empty() ? named + "\\" : named);
  return true;
}

std::string LongPathName(const char* path_text) {
  const fake::Path path = Parse(path_text);
  fake::Node* node = Find(path, 0);
  if (node == nullptr) return path_text;
  std::string expanded = path.drive;
  for (const std::string& part : path.parts) {
    fake::Node* child = nullptr;
    for (const auto& [upper, candidate] : node->children) {
      if (upper == fake::UpperName(part) || candidate->short_name == fake::UpperName(part)) {
        child = candidate.get();
      }
    }
    if (child == nullptr) return path_text;
    expanded += "\\" + child->name;
    node = child;
  }
  return path.parts.empty() ? expanded + "\\" : expanded;
}

void ToUpperCase(std::string* text) { *text = fake::UpperName(*text); }

bool FileSizeOf(FileHandle file, std::uint64_t* size, std::uint32_t* error) {
  auto it = State().files.find(file);
  if (it == State().files.end()) {
    *error = fake::kErrorInvalidHandle;
    return false;
  }
  *size = it->second.node->content.size();
  return true;
}

bool ReadFileAt(FileHandle file, std::uint64_t offset, void* bytes, std::uint32_t size,
                std::uint32_t* read, std::uint32_t* error) {
  auto it = State().files.find(file);
  if (it == State().files.end() || it->second.writing) {
    *error = fake::kErrorInvalidHandle;
    return false;
  }
  const std::string& content = it->second.node->content;
  *read = 0;
  if (offset >= content.size()) return true;
  std::size_t n = content.size() - static_cast<std::size_t>(offset);
  if (n > size) n = size;
  std::memcpy(bytes, content.data() + offset, n);
  *read = static_cast<std::uint32_t>(n);
  return true;
}

bool CloseFile(FileHandle file, std::uint32_t* error) {
  auto it = State().files.find(file);
  if (it == State().files.end()) {
    *error = fake::kErrorInvalidHandle;
    return false;
  }
  fake::OpenFile open = it->second;
  State().files.erase(it);
  if (!open.writing) {
    --open.node->holders;
    return true;
  }
  --open.node->writers;
  auto failure = State().data_failures.find(open.key);
  if (failure != State().data_failures.end() && failure->second.on_close) {
    *error = failure->second.code;
    return false;
  }
  auto replacement = State().replacements.find(open.key);
  if (replacement != State().replacements.end()) {
    open.node->content = replacement->second;
    State().replacements.erase(replacement);
  }
  return true;
}

bool ShellFolderPath(int csidl, char* buffer) {
  static const std::map<int, int> kNumberOfCsidl = {{5, 1},  {6, 2}, {16, 3}, {20, 4},
                                                    {11, 5}, {2, 6}, {7, 7},  {26, 8}};
  auto it = kNumberOfCsidl.find(csidl);
  return it != kNumberOfCsidl.end() && fake::SpecialPath(it->second, buffer);
}
bool WindowsFolderPath(char* buffer) { return fake::SpecialPath(9, buffer); }
bool SystemFolderPath(char* buffer) { return fake::SpecialPath(10, buffer); }
bool TempFolderPath(char* buffer) { return fake::SpecialPath(11, buffer); }

bool ItemIsShellLink(const char* path_text) {
  fake::Path path = Parse(path_text);
  fake::Node* node = Find(path);
  if (node == nullptr || node->is_folder() || path.trailing) return false;
  std::string upper = fake::UpperName(node->name);
  return upper.size() >= 4 && upper.compare(upper.size() - 4, 4, ".LNK") == 0;
}

bool ReadShellLinkTarget(const char* path_text, char* target) {
  fake::Node* node = Find(Parse(path_text));
  if (node == nullptr || !node->shortcut) return false;
  if (node->target.size() >= kPathBuffer) return false;
  std::memcpy(target, node->target.c_str(), node->target.size() + 1);
  return true;
}

// Host stand-in for the message table: "error N." with the system's line
// break for ordinary codes, nothing for codes the table would not hold.
Text SystemErrorMessage(std::uint32_t code) {
  if (code == 0 || code >= 0x10000) return Text();
  char message[32];
  int n = std::snprintf(message, sizeof message, "error %lu.\r\n", static_cast<unsigned long>(code));
  return Text::FromBytes(message, static_cast<std::size_t>(n));
}

}  // namespace pelmora::port
