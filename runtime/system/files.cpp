#include "runtime/system/files.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include "runtime/system/files_port.h"
#include "runtime/system/opened_path.h"
#include "runtime/system/shell_link_format.h"
#include "runtime/system/shell_link_port.h"
#include "runtime/system/system_path.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

using port::kAttributeFolder;
using port::kErrorFilenameExcedRange;
using port::kErrorInvalidName;

// The attributes a search mask can ask for (55).
constexpr std::uint32_t kMaskBits = port::kAttributeReadOnly | port::kAttributeHidden |
                                    port::kAttributeSystem | port::kAttributeFolder |
                                    port::kAttributeArchive;

// The commands take paths into the platform's fixed 260-byte buffers. A
// longer path fails here with the platform's own code rather than being
// cut short into some other path.
bool FitsPathBuffer(std::size_t length) { return length < port::kPathBuffer; }

bool Fail(std::uint32_t* error, std::uint32_t code) {
  if (error != nullptr) *error = code;
  return false;
}

bool Succeed(std::uint32_t* error) {
  if (error != nullptr) *error = 0;
  return true;
}

// A comparison that worked and found a difference: no error to report.
bool Differs(std::uint32_t* error) {
  Succeed(error);
  return false;
}

// Reads from `offset` until `size` bytes are in or the file ends; `*got`
// says how many came. False with the system's code when a read fails.
bool ReadFully(port::FileHandle file, std::uint64_t offset, unsigned char* bytes,
               std::uint32_t size, std::uint32_t* got, std::uint32_t* code) {
  *got = 0;
  while (*got < size) {
    std::uint32_t part = 0;
    if (!port::ReadFileAt(file, offset + *got, bytes + *got, size - *got, &part, code)) {
      return false;
    }
    if (part == 0) break;
    *got += part;
  }
  return true;
}

// Chunked, so comparing the installer never costs a second copy of it.
constexpr std::uint32_t kCompareChunk = 64 * 1024;

// Reads the file's `size` bytes chunk by chunk and hands each to
// `matches(offset, chunk, length, &code)`, which says whether it is as
// expected (setting `code` when it could not tell). Results as the
// comparisons of HeldFile give them.
template <typename Matches>
bool CompareInChunks(port::FileHandle file, std::uint64_t size, std::uint32_t* error,
                     Matches matches) {
  std::unique_ptr<unsigned char[]> chunk(new (std::nothrow) unsigned char[kCompareChunk]);
  if (!chunk) return Fail(error, port::kErrorNotEnoughMemory);
  for (std::uint64_t offset = 0; offset < size;) {
    const std::uint64_t left = size - offset;
    const std::uint32_t want = left < kCompareChunk ? static_cast<std::uint32_t>(left) : kCompareChunk;
    std::uint32_t got = 0;
    std::uint32_t code = 0;
    if (!ReadFully(file, offset, chunk.get(), want, &got, &code)) return Fail(error, code);
    if (got != want) return Differs(error);  // shorter than its size said
    if (!matches(offset, chunk.get(), want, &code)) {
      return code != 0 ? Fail(error, code) : Differs(error);
    }
    offset += want;
  }
  return Succeed(error);
}

bool Accepts(std::uint32_t attributes, std::optional<std::int32_t> attribute_mask) {
  // Without a mask only files count, which also keeps out "." and "..".
  if (!attribute_mask) return (attributes & kAttributeFolder) == 0;
  std::uint32_t mask = static_cast<std::uint32_t>(*attribute_mask) & kMaskBits;
  if (mask == 0) return attributes == 0;
  return (attributes & mask) != 0;
}

// True when the path's last character (not merely its last byte) is a
// backslash.
bool EndsWithBackslash(const char* path) {
  const char* last = FindLastPathBackslash(path);
  return last != nullptr && last[1] == '\0';
}

// The search pattern for every entry of a folder: separators made uniform
// (forward slashes, double-byte aware), exactly one appended, then "*.*".
std::string FolderPattern(TextView folder) {
  std::string pattern;
  pattern.reserve(folder.size() + 4);
  bool ends_with_separator = false;
  for (const char* p = folder.c_str(); *p != '\0'; ++p) {
    if (IsPathLeadByte(*p)) {
      pattern.push_back(*p);
      ends_with_separator = false;
      if (p[1] == '\0') break;
      pattern.push_back(*++p);
      continue;
    }
    bool separator = *p == '\\' || *p == '/';
    pattern.push_back(separator ? '/' : *p);
    ends_with_separator = separator;
  }
  if (!ends_with_separator) pattern.push_back('/');
  pattern += "*.*";
  return pattern;
}

bool IsDotEntry(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

enum class FolderSource { kShell, kWindows, kSystem, kTemp };
struct SpecialFolderEntry {
  FolderSource source;
  int csidl;
};
// In the order of the SpecialFolder numbers.
const SpecialFolderEntry kSpecialFolders[kFolderTemp] = {
    {FolderSource::kShell, port::kCsidlPersonal},
    {FolderSource::kShell, port::kCsidlFavorites},
    {FolderSource::kShell, port::kCsidlDesktopDirectory},
    {FolderSource::kShell, port::kCsidlFonts},
    {FolderSource::kShell, port::kCsidlStartMenu},
    {FolderSource::kShell, port::kCsidlPrograms},
    {FolderSource::kShell, port::kCsidlStartup},
    {FolderSource::kShell, port::kCsidlAppData},
    {FolderSource::kWindows, 0},
    {FolderSource::kSystem, 0},
    {FolderSource::kTemp, 0},
};

}  // namespace

Text GetSpecialFolder(std::int32_t number) {
  if (number < kFolderDocuments || number > kFolderTemp) return Text();
  const SpecialFolderEntry& entry = kSpecialFolders[number - kFolderDocuments];
  char buffer[port::kPathBuffer + 1] = {};
  bool ok = false;
  switch (entry.source) {
    case FolderSource::kShell: ok = port::ShellFolderPath(entry.csidl, buffer); break;
    case FolderSource::kWindows: ok = port::WindowsFolderPath(buffer); break;
    case FolderSource::kSystem: ok = port::SystemFolderPath(buffer); break;
    case FolderSource::kTemp: ok = port::TempFolderPath(buffer); break;
  }
  if (!ok) return Text();
  buffer[port::kPathBuffer - 1] = '\0';
  std::size_t length = std::strlen(buffer);
  if (length > 0 && !EndsWithBackslash(buffer)) buffer[length++] = '\\';
  return Text::FromBytes(buffer, length);
}

Text FindFile(TextView pattern, std::optional<std::int32_t> attribute_mask,
              SearchHandleSlot* slot) {
  port::FoundEntry entry;
  port::SearchHandle search = 0;
  if (!pattern.empty()) {
    if (*slot != 0) port::CloseSearch(*slot);
    *slot = 0;
    if (!FitsPathBuffer(pattern.size())) return Text();
    std::uint32_t ignored = 0;
    search = port::FindFirstEntry(pattern.c_str(), &entry, &ignored);
    if (search == 0) return Text();
  } else {
    if (*slot == 0) return Text();
    search = *slot;
    if (!port::FindNextEntry(search, &entry)) {
      port::CloseSearch(search);
      *slot = 0;
      return Text();
    }
  }
  for (;;) {
    if (Accepts(entry.attributes, attribute_mask)) {
      *slot = search;
      entry.name[port::kPathBuffer - 1] = '\0';
      return Text::FromBytes(entry.name, std::strlen(entry.name));
    }
    if (!port::FindNextEntry(search, &entry)) break;
  }
  port::CloseSearch(search);
  *slot = 0;
  return Text();
}

void EndFileSearch(SearchHandleSlot handle) {
  if (handle != 0) port::CloseSearch(handle);
}

Text FindFile(TextView pattern, std::optional<std::int32_t> attribute_mask,
              UniqueFileSearch* search) {
  // The slot command ends or replaces the search itself; the owner only
  // holds what it leaves open.
  SearchHandleSlot slot = search->release();
  Text name = FindFile(pattern, attribute_mask, &slot);
  search->reset(slot);
  return name;
}

bool PathExists(TextView path) {
  if (!FitsPathBuffer(path.size())) return false;
  port::FoundEntry entry;
  std::uint32_t ignored = 0;
  UniqueFileSearch search(port::FindFirstEntry(path.c_str(), &entry, &ignored));
  return static_cast<bool>(search);
}

namespace {

// Both paths must fit the system's buffers before it sees either.
bool TwoPathCall(TextView source, TextView destination, std::uint32_t* error,
                 bool (*call)(const char*, const char*, std::uint32_t*)) {
  if (!FitsPathBuffer(source.size()) || !FitsPathBuffer(destination.size())) {
    return Fail(error, kErrorFilenameExcedRange);
  }
  std::uint32_t code = 0;
  if (!call(source.c_str(), destination.c_str(), &code)) return Fail(error, code);
  return Succeed(error);
}

}  // namespace

bool CopyFileTo(TextView source, TextView destination, std::uint32_t* error) {
  return TwoPathCall(source, destination, error, port::CopyFileReplacing);
}

bool CopyFileToNew(TextView source, TextView destination, std::uint32_t* error) {
  return TwoPathCall(source, destination, error, port::CopyFileCreatingNew);
}

bool RemoveFile(TextView path, std::uint32_t* error) {
  if (!FitsPathBuffer(path.size())) return Fail(error, kErrorFilenameExcedRange);
  std::uint32_t code = 0;
  if (!port::DeleteFileAt(path.c_str(), &code)) return Fail(error, code);
  return Succeed(error);
}

bool RemoveFileForGood(TextView path, std::uint32_t* error) {
  if (!RemoveFile(path, error)) return false;
  if (!PathExists(path)) return true;
  *error = port::kErrorAccessDenied;
  return false;
}

bool MoveFileOver(TextView source, TextView destination, std::uint32_t* error) {
  return TwoPathCall(source, destination, error, port::MoveFileReplacing);
}

bool WriteBytesToFile(TextView path, std::initializer_list<ByteSetView> byte_sets,
                      std::uint32_t* error) {
  if (path.empty()) return Fail(error, kErrorInvalidName);
  if (!FitsPathBuffer(path.size())) return Fail(error, kErrorFilenameExcedRange);
  std::uint32_t code = 0;
  UniqueFile file(port::CreateFileForWriting(path.c_str(), &code));
  if (!file) return Fail(error, code);
  bool written = true;
  for (const ByteSetView& set : byte_sets) {
    std::int32_t count = set.count();
    if (count <= 0) continue;
    // Straight from the set's own block: the payload is megabytes.
    if (!port::WriteToFile(file.get(), set.bytes(), static_cast<std::uint32_t>(count), &code)) {
      written = false;
      break;
    }
  }
  if (written) written = port::CloseFile(file.release(), &code);
  if (written) return Succeed(error);
  // A half-written installer must not be left for anyone to start.
  file.reset();
  std::uint32_t ignored = 0;
  (void)port::DeleteFileAt(path.c_str(), &ignored);
  return Fail(error, code);
}

namespace {

// False when the file's bytes show a damaged item list; true also when the
// file cannot be read here, which leaves the verdict to the shell.
bool ShortcutLooksWhole(const char* path) {
  std::uint32_t ignored = 0;
  UniqueFile file(port::OpenFileDenyingWrites(path, &ignored));
  if (!file) return true;
  std::unique_ptr<unsigned char[]> bytes(new (std::nothrow) unsigned char[kShortcutCheckBytes]);
  if (!bytes) return true;
  std::uint32_t size = 0;
  if (!ReadFully(file.get(), 0, bytes.get(), static_cast<std::uint32_t>(kShortcutCheckBytes), &size,
                 &ignored)) return true;
  return ShortcutItemListIsWhole(bytes.get(), size);
}

}  // namespace

Text ReadShortcutTarget(TextView path) {
  if (!FitsPathBuffer(path.size())) return Text();
  if (!port::ItemIsShellLink(path.c_str())) return Text();
  std::string file(path.c_str());
  if (file.find('.') == std::string::npos) file += ".lnk";
  if (!FitsPathBuffer(file.size())) return Text();
  if (!ShortcutLooksWhole(file.c_str())) return Text();
  char target[port::kPathBuffer + 1] = {};
  if (!port::ReadShellLinkTarget(file.c_str(), target)) return Text();
  target[port::kPathBuffer - 1] = '\0';
  return Text::FromBytes(target, std::strlen(target));
}

TextArray PathDirList(TextView folder) {
  TextArray names;
  std::string pattern = FolderPattern(folder);
  if (!FitsPathBuffer(pattern.size())) return names;
  port::FoundEntry entry;
  std::uint32_t ignored = 0;
  UniqueFileSearch search(port::FindFirstEntry(pattern.c_str(), &entry, &ignored));
  if (!search) return names;
  do {
    entry.name[port::kPathBuffer - 1] = '\0';
    if ((entry.attributes & kAttributeFolder) != 0 && !IsDotEntry(entry.name)) {
      names.Append(Text::FromBytes(entry.name, std::strlen(entry.name)));
    }
  } while (port::FindNextEntry(search.get(), &entry));
  return names;
}

void CloseFileHandle(std::uintptr_t file) {
  // Only a file being written can lose data at its close, and the writer
  // closes that one itself to see the result.
  std::uint32_t ignored = 0;
  (void)port::CloseFile(file, &ignored);
}

HeldFolder HeldFolder::Open(TextView path, std::uint32_t* error) {
  HeldFolder held;
  if (!FitsPathBuffer(path.size())) {
    Fail(error, kErrorFilenameExcedRange);
    return held;
  }
  std::uint32_t code = 0;
  UniqueFile folder(port::OpenFolderForHolding(path.c_str(), &code));
  if (folder) code = CheckOpenedAsAsked(folder.get(), path, OpenedKind::kFolder);
  if (!folder || code != 0) {
    Fail(error, code);
    return held;
  }
  held.folder_ = std::move(folder);
  Succeed(error);
  return held;
}

namespace {

// The folder that holds a file, as a folder is opened: a drive's root keeps
// its backslash, since "C:" alone is the drive's current folder.
Text FolderOf(const std::string& full_path) {
  const Text folder = ParentFolder(TextView(full_path.c_str()));
  if (folder.size() != 2 || folder.c_str()[1] != ':') return folder;
  return Text::FromBytes(full_path.c_str(), 3);
}

// The existing file, else a new one: an existing file is never cut short,
// and a new one is never made over anything that appeared meanwhile.
port::FileHandle OpenOrCreateForAppending(const char* path, bool* created, std::uint32_t* code) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (port::FileHandle file = port::OpenFileForAppending(path, code)) return file;
    if (*code != port::kErrorFileNotFound) return 0;
    if (port::FileHandle file = port::CreateFileForAppending(path, code)) {
      *created = true;
      return file;
    }
    if (*code != port::kErrorFileExists) return 0;
  }
  return 0;
}

}  // namespace

AppendedFile AppendedFile::Open(TextView path, std::uint32_t* error) {
  AppendedFile appended;
  if (path.empty()) {
    Fail(error, kErrorInvalidName);
    return appended;
  }
  if (!FitsPathBuffer(path.size())) {
    Fail(error, kErrorFilenameExcedRange);
    return appended;
  }
  std::uint32_t code = 0;
  // Held while the file is opened and checked, so that nobody can swap the
  // folder for a link in between.
  const HeldFolder folder = HeldFolder::Open(FolderOf(port::FullPathName(path.c_str())), &code);
  if (!folder) {
    // What is missing then is a folder on the file's path.
    Fail(error, code == port::kErrorFileNotFound ? port::kErrorPathNotFound : code);
    return appended;
  }
  bool created = false;
  UniqueFile file(OpenOrCreateForAppending(path.c_str(), &created, &code));
  if (file) code = CheckOpenedAsAsked(file.get(), path, OpenedKind::kFile);
  if (!file || code != 0) {
    file.reset();
    std::uint32_t ignored = 0;
    if (created) (void)port::DeleteFileAt(path.c_str(), &ignored);
    Fail(error, code);
    return appended;
  }
  appended.file_ = std::move(file);
  appended.created_ = created;
  Succeed(error);
  return appended;
}

bool AppendedFile::Append(const std::string& bytes) {
  std::uint32_t code = 0;
  return bytes.empty() ||
         port::WriteToFile(file_.get(), bytes.data(), static_cast<std::uint32_t>(bytes.size()), &code);
}

std::optional<std::uint64_t> FileSize(TextView path) {
  std::uint32_t error = 0;
  HeldFile held = HeldFile::OpenDenyingWrites(path, &error);
  if (!held) return std::nullopt;
  return held.Size();
}

std::optional<std::uint64_t> HeldFile::Size() const {
  std::uint64_t size = 0;
  std::uint32_t error = 0;
  if (!port::FileSizeOf(file_.get(), &size, &error)) return std::nullopt;
  return size;
}

HeldFile HeldFile::OpenDenyingWrites(TextView path, std::uint32_t* error) {
  HeldFile held;
  if (!FitsPathBuffer(path.size())) {
    Fail(error, kErrorFilenameExcedRange);
    return held;
  }
  std::uint32_t code = 0;
  held.file_.reset(port::OpenFileDenyingWrites(path.c_str(), &code));
  if (!held.file_) {
    Fail(error, code);
  } else {
    Succeed(error);
  }
  return held;
}

bool HeldFile::ContentEquals(ByteSetView expected, std::uint32_t* error) const {
  if (!file_) return Fail(error, port::kErrorInvalidHandle);
  std::uint32_t code = 0;
  std::uint64_t size = 0;
  if (!port::FileSizeOf(file_.get(), &size, &code)) return Fail(error, code);
  std::int32_t count = expected.count();
  if (count < 0 || size != static_cast<std::uint64_t>(count)) return Differs(error);
  const unsigned char* bytes = expected.bytes();
  return CompareInChunks(file_.get(), size, error,
                         [bytes](std::uint64_t offset, const unsigned char* chunk,
                                 std::uint32_t length, std::uint32_t*) {
                           return std::memcmp(chunk, bytes + offset, length) == 0;
                         });
}

bool HeldFile::SameContentAs(const HeldFile& other, std::uint32_t* error) const {
  if (!file_ || !other.file_) return Fail(error, port::kErrorInvalidHandle);
  std::uint32_t code = 0;
  std::uint64_t size = 0;
  std::uint64_t other_size = 0;
  if (!port::FileSizeOf(file_.get(), &size, &code) ||
      !port::FileSizeOf(other.file_.get(), &other_size, &code)) {
    return Fail(error, code);
  }
  if (size != other_size) return Differs(error);
  std::unique_ptr<unsigned char[]> theirs(new (std::nothrow) unsigned char[kCompareChunk]);
  if (!theirs) return Fail(error, port::kErrorNotEnoughMemory);
  const port::FileHandle other_file = other.file_.get();
  return CompareInChunks(file_.get(), size, error,
                         [&theirs, other_file](std::uint64_t offset, const unsigned char* chunk,
                                               std::uint32_t length, std::uint32_t* read_error) {
                           std::uint32_t got = 0;
                           return ReadFully(other_file, offset, theirs.get(), length, &got,
                                            read_error) &&
                                  got == length && std::memcmp(chunk, theirs.get(), length) == 0;
                         });
}

bool SameFileContent(TextView first, TextView second) {
  std::uint32_t error = 0;
  HeldFile one = HeldFile::OpenDenyingWrites(first, &error);
  if (!one) return false;
  HeldFile two = HeldFile::OpenDenyingWrites(second, &error);
  if (!two) return false;
  return one.SameContentAs(two, &error);
}

}  // namespace pelmora
