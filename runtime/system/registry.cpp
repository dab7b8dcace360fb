#include "runtime/system/registry.h"

#include <cstring>
#include <memory>
#include <new>

#include "runtime/system/registry_port.h"
#include "runtime/system/system_path.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

// Working buffers whose exhaustion is an ordinary failure of the command,
// not the fatal one of result texts.
std::unique_ptr<char[]> WorkingBuffer(std::uint32_t size) {
  return std::unique_ptr<char[]>(new (std::nothrow) char[size]);
}

bool OpenForReading(std::uint32_t root, const RegistryPath& path, port::UniqueRegistryKey* key,
                    RegistryView view = RegistryView::kOwn) {
  return port::OpenRegistryKey(RootKeyHandle(root), path.key.c_str(), ReadAccessIn(view, root),
                               key->put()) == 0;
}

bool IsTextType(std::uint32_t type) { return type == port::kRegSz || type == port::kRegExpandSz; }

// Short values (every display name, publisher and uninstall command seen in
// practice) come back from a first query into this buffer; only longer ones
// need the size query and a heap buffer. That keeps the uninstall scan at
// one query per value, each a round trip to the registry.
constexpr std::uint32_t kInlineValueBytes = 512;

// The value's text as stored when it is a REG_SZ or REG_EXPAND_SZ that can
// be read; nothing otherwise.
bool ReadStoredTextValue(std::uint32_t root, const RegistryPath& path, StoredRegistryText* result,
                         RegistryView view) {
  port::UniqueRegistryKey key;
  if (!OpenForReading(root, path, &key, view)) return false;
  const char* name = path.value_name.c_str();
  std::uint32_t type = 0;
  char inline_data[kInlineValueBytes + 1];
  std::unique_ptr<char[]> heap_data;
  char* data = inline_data;
  std::uint32_t size = kInlineValueBytes;
  std::int32_t status = port::QueryRegistryValue(
      key.get(), name, &type, reinterpret_cast<unsigned char*>(inline_data), &size);
  if (status == kErrorMoreData) {
    if (!IsTextType(type)) return false;
    // One spare byte so data stored without its NUL still ends in one.
    heap_data = WorkingBuffer(size + 1);
    if (!heap_data) return false;
    data = heap_data.get();
    status = port::QueryRegistryValue(key.get(), name, &type,
                                      reinterpret_cast<unsigned char*>(data), &size);
  }
  if (status != 0 || !IsTextType(type) || size == 0) return false;
  key.reset();
  data[size] = '\0';  // the data ends where the registry says, NUL or not
  result->text = Text::FromBytes(data, std::strlen(data));
  result->expandable = type == port::kRegExpandSz;
  return true;
}

// The value's text when it is a REG_SZ or REG_EXPAND_SZ that can be read
// (and expanded); nothing otherwise.
bool ReadTextValue(std::uint32_t root, const RegistryPath& path, Text* result,
                   RegistryView view = RegistryView::kOwn) {
  StoredRegistryText stored;
  if (!ReadStoredTextValue(root, path, &stored, view)) return false;
  if (!stored.expandable) {
    *result = std::move(stored.text);
    return true;
  }
  return ExpandEnvironmentText(stored.text, result);
}

}  // namespace

std::uint32_t ReadAccessIn(RegistryView view, std::uint32_t root_key) {
  if (view == RegistryView::k64Bit) return port::kKeyRead | port::kKeyWow64_64Key;
  if (root_key == kHkeyCurrentUser || root_key == kHkeyUsers) return port::kKeyRead;
  return port::kKeyRead | port::kKeyWow64_32Key;
}

std::uint32_t RootKeyOf(std::int32_t root_number) {
  switch (root_number) {
    case kRootClassesRoot: return kHkeyClassesRoot;
    case kRootCurrentConfig: return kHkeyCurrentConfig;
    case kRootLocalMachine: return kHkeyLocalMachine;
    case kRootUsers: return kHkeyUsers;
    default: return kHkeyCurrentUser;
  }
}

RegistryPath SplitRegistryPath(TextView full_path) {
  const char* start = full_path.c_str();
  const char* last = FindLastPathBackslash(full_path);
  if (last == nullptr) return {Text(), Text::From(full_path)};
  return {Text::FromBytes(start, static_cast<std::size_t>(last - start)), Text::From(last + 1)};
}

Text ReadRegistryText(std::int32_t root_number, TextView full_path,
                      std::optional<TextView> default_text) {
  Text result;
  if (ReadTextValue(RootKeyOf(root_number), SplitRegistryPath(full_path), &result)) return result;
  return default_text ? Text::From(*default_text) : Text();
}

bool RegistryItemExists(std::int32_t root_number, TextView full_path) {
  return RegistryItemExistsIn(RegistryView::kOwn, root_number, full_path);
}

Text ReadRegistryTextIn(RegistryView view, std::int32_t root_number, TextView full_path) {
  Text result;
  ReadTextValue(RootKeyOf(root_number), SplitRegistryPath(full_path), &result, view);
  return result;
}

StoredRegistryText ReadStoredRegistryTextIn(RegistryView view, std::int32_t root_number,
                                            TextView full_path) {
  StoredRegistryText stored;
  if (!ReadStoredTextValue(RootKeyOf(root_number), SplitRegistryPath(full_path), &stored, view)) {
    return {};
  }
  return stored;
}

bool ExpandEnvironmentText(TextView text, Text* expanded) {
  std::uint32_t needed = port::ExpandEnvironment(text.c_str(), nullptr, 0);
  if (needed == 0) return false;
  std::unique_ptr<char[]> buffer = WorkingBuffer(needed + 1);
  if (!buffer) return false;
  std::uint32_t written = port::ExpandEnvironment(text.c_str(), buffer.get(), needed);
  if (written == 0 || written > needed) return false;
  buffer[needed] = '\0';
  *expanded = Text::FromBytes(buffer.get(), std::strlen(buffer.get()));
  return true;
}

bool RegistryItemExistsIn(RegistryView view, std::int32_t root_number, TextView full_path) {
  RegistryPath path = SplitRegistryPath(full_path);
  port::UniqueRegistryKey key;
  if (!OpenForReading(RootKeyOf(root_number), path, &key, view)) return false;
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  return port::QueryRegistryValue(key.get(), path.value_name.c_str(), &type, nullptr, &size) == 0;
}

SubkeyNames::SubkeyNames(RegistryView view, std::int32_t root_number, TextView key_path) {
  const std::uint32_t root = RootKeyOf(root_number);
  open_ = port::OpenRegistryKey(RootKeyHandle(root), key_path.c_str(), ReadAccessIn(view, root),
                                key_.put()) == 0;
}

bool SubkeyNames::Next(Text* name) {
  if (!open_) return false;
  constexpr std::uint32_t kNameBuffer = 255;
  char buffer[kNameBuffer + 1];
  for (;; ++index_) {
    std::uint32_t size = kNameBuffer;
    std::int32_t status = port::EnumerateRegistryKey(key_.get(), index_, buffer, &size);
    // A name too long for the buffer must not hide the names after it.
    if (status == kErrorMoreData) continue;
    if (status != 0) return false;
    ++index_;
    *name = Text::FromBytes(buffer, size);
    return true;
  }
}

std::vector<Text> RegistrySubkeyNames(RegistryView view, std::int32_t root_number,
                                      TextView key_path) {
  std::vector<Text> names;
  SubkeyNames reader(view, root_number, key_path);
  for (Text name; reader.Next(&name);) names.push_back(std::move(name));
  return names;
}

}  // namespace pelmora
